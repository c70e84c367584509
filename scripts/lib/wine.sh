# Shared by the scripts that run the program or its tests under Wine. Source it.

# A Western locale, so the ANSI code page is 1252 on every machine.
export LC_ALL=C.UTF-8 LANG=C.UTF-8
export WINEDEBUG=-all
# No prompts to install Mono or Gecko while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

# make_sandboxed_prefix DIR ARCH: a new prefix (win64 or win32) whose user folders are real
# folders inside it and which has no Z: drive, so nothing outside it is ever seen.
make_sandboxed_prefix() {
  local prefix=$1 arch=$2
  mkdir -p "$prefix"
  WINEPREFIX=$prefix WINEARCH=$arch wineboot -i >/dev/null 2>&1 || {
    echo "wineboot failed for $prefix" >&2
    return 1
  }
  WINEPREFIX=$prefix wineserver -w
  rm -f "$prefix/dosdevices/z:"
  local link
  while IFS= read -r -d '' link; do
    rm -f "$link" && mkdir -p "$link"
  done < <(find "$prefix/drive_c/users" -type l -print0)
  dialog_fonts "$prefix"
}

# dialog_fonts DIR: the prefix draws every script the program shows as Windows does. "MS Shell
# Dlg", the stock and the system fonts all stand for Tahoma, which Debian ships with Wine
# (fonts-wine) in a folder this Wine does not read: it is copied into the prefix's Fonts folder,
# with Marlett, which draws the buttons of window frames. Tahoma has no Chinese, Japanese or
# Korean letters; as Windows links its East Asian fonts to it, the prefix links the WenQuanYi
# font (fonts-wqy-microhei, found through fontconfig), to the bold face too, which Wine looks up
# by its own name. Edit controls shape their text with Uniscribe, which does not follow links:
# Wine's own fallback names the font for Han, kana and Hangul, each by its script tag ("hani",
# "kana", "hang" as a hexadecimal number, the bytes in reverse).
dialog_fonts() {
  local prefix=$1 wine_fonts=/usr/share/wine/fonts east_asian="WenQuanYi Micro Hei"
  cp "$wine_fonts"/{tahoma,tahomabd,marlett}.ttf "$prefix/drive_c/windows/Fonts/" || {
    echo "dialog_fonts: Wine's fonts are missing; scripts/deps installs them" >&2
    return 1
  }
  local links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  local fallback='HKCU\Software\Wine\Uniscribe\Fallback' face script
  (
    cd "$prefix/drive_c" && export WINEPREFIX=$prefix || exit 1
    for face in Tahoma "Tahoma Bold"; do
      wine reg add "$links" /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,$east_asian" /f ||
        exit 1
    done
    for script in 696e6168 616e616b 676e6168; do
      wine reg add "$fallback" /v "$script" /d "$east_asian" /f || exit 1
    done
  ) >/dev/null 2>&1 || {
    echo "dialog_fonts: could not link Tahoma to the East Asian font in $prefix" >&2
    return 1
  }
  WINEPREFIX=$prefix wineserver -w
}

# stop_prefix DIR: ends the wineserver of that prefix only.
stop_prefix() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$1 wineserver -w >/dev/null 2>&1 || true
}

# outcome_of LABEL PREFIX LOG STEPS...: runs STEPS, which print what they saw or the reason they
# stopped, with their error output added to LOG; then ends the prefix's server and prints one
# line of outcome. Fails when the steps do.
outcome_of() {
  local label=$1 prefix=$2 log=$3 started=$SECONDS outcome status=0
  shift 3
  outcome=$("$@" 2>>"$log") || status=1
  stop_prefix "$prefix"
  if [ "$status" -eq 0 ]; then
    echo "$label: passed, $outcome ($((SECONDS - started)) s)"
  else
    echo "$label: failed: $outcome ($((SECONDS - started)) s, see $log)"
  fi
  return "$status"
}

# add_test_drives DIR: gives the prefix the drives the file-system conformance tests expect:
# D: a CD-ROM drive with a disc, E: a CD-ROM drive and A: a floppy drive, both without one.
# Their folders are inside the prefix. A drive has no medium when its root folder is missing
# and its device link leads to a folder, which cannot be read as a disk.
add_test_drives() {
  local prefix=$1 drives="$1/test-drives" view=""
  # A 64-bit prefix keeps drive types in the 64-bit registry view.
  [ -d "$prefix/drive_c/windows/syswow64" ] && view=/reg:64
  mkdir -p "$drives/cdrom" "$drives/device"
  rm -f "$prefix/dosdevices/d::"
  ln -sfn ../test-drives/cdrom "$prefix/dosdevices/d:"
  local letter
  for letter in a e; do
    ln -sfn "../test-drives/no-medium-$letter" "$prefix/dosdevices/$letter:"
    ln -sfn ../test-drives/device "$prefix/dosdevices/$letter::"
  done
  local drive_type
  for drive_type in a:floppy d:cdrom e:cdrom; do
    (cd "$prefix/drive_c" && WINEPREFIX=$prefix wine reg add 'HKLM\Software\Wine\Drives' \
      /v "${drive_type%%:*}:" /d "${drive_type#*:}" /f $view) >/dev/null 2>&1 || {
      echo "add_test_drives: could not set the drive type ${drive_type} in $prefix" >&2
      return 1
    }
  done
  # The drives are read when Wine starts again.
  WINEPREFIX=$prefix wineserver -w
}

# unmanaged_windows DIR: Wine's X11 driver places and frames the prefix's windows itself
# ("Managed"=N). Xvfb has no window manager, and without one Wine waits up to 2 s for each
# captioned window it hides or destroys to be withdrawn; unmanaged, it does not wait. The window
# sizes and places programs see are the same, only the frame is drawn by Wine.
unmanaged_windows() {
  (cd "$1/drive_c" && WINEPREFIX=$1 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f) \
    >/dev/null 2>&1 || {
    echo "unmanaged_windows: could not set Wine's X11 driver in $1" >&2
    return 1
  }
  WINEPREFIX=$1 wineserver -w
}
