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
}

# stop_prefix DIR: ends the wineserver of that prefix only.
stop_prefix() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$1 wineserver -w >/dev/null 2>&1 || true
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
