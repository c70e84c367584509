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
  done < <(find "$prefix/drive_c/users" -maxdepth 2 -type l -print0)
}

# stop_prefix DIR: ends the wineserver of that prefix only.
stop_prefix() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1 || true
}
