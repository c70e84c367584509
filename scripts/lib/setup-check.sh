# The setup program and its uninstaller, end to end in a fresh prefix: an older version is
# installed silently, in the default folder or one given, repairs once (its backup and
# options.ini are the user's), the new version upgrades it in place, the installed program
# reports, the silent uninstall keeps the user's files and takes away everything else; the
# registry and the files of drive C must then be as before, and the portable copy, unpacked
# outside the install folder, must find nothing new at any step. Source it after wine.sh,
# install.sh, package.sh and cleanonce-check.sh.

setup_check_work='C:\setup-check'
# The portable copy runs from a folder named in another script than the ANSI code page's.
setup_check_portable='C:\setup-check\Переносная\Tessaly Kelvane'
setup_check_uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly Kelvane'
# A dangling application path for the repair to find and back up.
setup_check_planted='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\KelvaneSetupCheck.exe'
# Besides the display keys of cleanonce-check.sh: a counter Wine's service manager raises at
# each start, and the start type of Wine's task scheduler, which it makes automatic once a task
# is registered (as Windows has it from the start). Left out as well: the fonts of this machine
# (data "\??\unix\...") that Wine lists in its Fonts keys once a program starts on a display.
setup_check_wine_keys=(
  "${clean_once_wine_keys[@]}"
  "${program_record_keys[@]}"
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ServiceCurrent]'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Schedule]'
)

# check_setup ZIP SETUP OLDER_SETUP VERSION ARCH PREFIX LOG [FOLDER]: runs the steps in the empty
# folder PREFIX as a new ARCH (win64 or win32) prefix, installing into FOLDER (a Windows path)
# when given; OLDER_SETUP is labelled 0.9.0, ZIP is the portable zip. Prints one line of
# outcome; the details go to LOG. Fails when a step or a comparison does.
check_setup() {
  local log
  # Some steps run in another folder.
  log=$(cd "$(dirname "$7")" && pwd)/$(basename "$7")
  : >"$log"
  outcome_of "setup $5" "$6" "$log" setup_steps "${@:1:6}" "$log" "${8:-}"
}

# setup_steps ZIP SETUP OLDER_SETUP VERSION ARCH PREFIX LOG FOLDER: the steps; prints what it
# saw, or the reason it stopped.
setup_steps() {
  local version=$4 arch=$5 prefix=$6 log=$7 target=$8
  local work=$6/drive_c/setup-check folder view="" rows scanner where=()
  make_sandboxed_prefix "$prefix" "$arch" || { echo "could not make a prefix"; return 1; }
  [ "$arch" = win64 ] && view=/reg:32
  if [ -n "$target" ]; then
    folder=$(host_path "$prefix" "$target")
    where=("/D=$target")
    # The folder above it is the user's: there before the setup and after the uninstaller.
    mkdir -p "$(dirname "$folder")"
  else
    folder=$(program_folder "$prefix")
  fi
  scanner=$(host_path "$prefix" "$setup_check_portable")
  mkdir -p "$work/kept" "${scanner%/*}"
  cp "$2" "$work/setup.exe" && cp "$3" "$work/older-setup.exe" &&
    unzip -q "$1" -d "${scanner%/*}" ||
    { echo "could not copy the setups and unpack the portable zip"; return 1; }

  setup_wine "$prefix" reg add "$setup_check_planted" /ve /d 'C:\KelvaneGone\KelvaneSetupCheck.exe' \
    /f $view >>"$log" 2>&1 || { echo "could not plant the dangling path"; return 1; }
  setup_scan "$prefix" before || { echo "the scan before installing failed"; return 1; }
  grep -qF 'KelvaneSetupCheck' "$work/scan-before.txt" ||
    { echo "the scan does not find the planted dangling path"; return 1; }
  # After the scan, which is the first program with windows: Wine registers the fonts then.
  setup_snapshot "$prefix" before || { echo "the first export failed"; return 1; }

  # The older version, with the desktop shortcut.
  setup_wine "$prefix" "$setup_check_work\\older-setup.exe" /S /DESKTOP "${where[@]}" \
    >>"$log" 2>&1 || { echo "the older setup failed"; return 1; }
  setup_entry_is "$prefix" DisplayVersion 0.9.0 || return 1
  setup_repair "$prefix" "$folder" "$log" || return 1

  setup_wine "$prefix" "$setup_check_work\\setup.exe" /S /SCHEDULE=weekly \
    "/AUDITDIR=$setup_check_work\\audits" /KEEP=2 >>"$log" 2>&1 ||
    { echo "the setup failed"; return 1; }
  setup_installed "$prefix" "$folder" "$version" || return 1
  setup_audit_runs "$prefix" "$folder" "$log" || return 1
  setup_scan "$prefix" installed || { echo "the scan after installing failed"; return 1; }
  setup_no_new_rows "$work" installed || return 1

  setup_uninstall "$prefix" "$folder" "$log" || return 1
  [ -z "$(setup_audit_task "$prefix")" ] || { echo "the uninstaller left the audit task"; return 1; }
  setup_scan "$prefix" uninstalled || { echo "the scan after uninstalling failed"; return 1; }
  setup_no_new_rows "$work" uninstalled || return 1
  setup_left_behind "$prefix" "$folder" "$log" || return 1
  rows=$(grep -cF '  #####  ' "$work/scan-before.txt")
  echo "installed $version over 0.9.0 into $(windows_path "$prefix" "$folder") with the weekly" \
    "audit, whose command kept the newest two" \
    "of three reports, and uninstalled it with its task; the scan's $rows rows gained none;" \
    "registry and files as before but for the kept backup and options.ini" \
    "$(cat "$work/temp-note")"
}

# setup_audit_task PREFIX: the file in which Wine's Task Scheduler keeps the audit task, if any.
setup_audit_task() {
  find "$1/drive_c/windows" -ipath '*/tasks/Tessaly Kelvane audit' 2>/dev/null | head -n 1
}

# setup_audit_runs PREFIX FOLDER LOG: the task is registered, and the definition the setup gave
# the Task Scheduler runs the installed program's report into the folder asked for, weekly,
# keeping two. Wine keeps a task's name and description but neither its triggers nor its action
# and runs no scheduler, so the definition is read from the setup's file and its command is run
# here, three times, as the scheduler would.
setup_audit_runs() {
  local prefix=$1 work=$1/drive_c/setup-check definition reports run
  [ -n "$(setup_audit_task "$prefix")" ] || { echo "the setup registered no audit task"; return 1; }
  definition=$(iconv -f UTF-16 -t UTF-8 "$2/audit-task.xml" | tr -d '\r')
  python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parseString(sys.stdin.read().encode())' \
    <<<"${definition#*?>}" || { echo "the audit task's definition is no well-formed XML"; return 1; }
  echo "$definition" >>"$3"
  grep -qF "<Command>\"$(windows_path "$prefix" "$2")\\Kelvane.exe\"</Command>" <<<"$definition" &&
    grep -qF "<Arguments>-report \"$setup_check_work\\audits\\audit-*.jsonl\" -keep 2</Arguments>" \
      <<<"$definition" && grep -qF '<ScheduleByWeek>' <<<"$definition" ||
    { echo "the audit task does not run the report as asked (see the log)"; return 1; }
  for run in 1 2 3; do
    setup_wine "$prefix" "$(windows_path "$prefix" "$2")\\Kelvane.exe" -report \
      "$setup_check_work\\audits\\audit-*.jsonl" -keep 2 >>"$3" 2>&1 ||
      { echo "the audit's command failed"; return 1; }
    sleep 1
  done
  reports=$(find "$work/audits" -name 'audit-*.jsonl' | wc -l)
  [ "$reports" -eq 2 ] || { echo "the audit folder holds $reports reports, not 2"; return 1; }
}

# setup_wine PREFIX ARGS...: runs a Windows program in the prefix from inside drive C, ended
# after two minutes.
setup_wine() {
  clean_once_wine "$@"
}

# setup_scan PREFIX NAME: the portable copy outside the install folder reports every category
# into scan-NAME.txt.
setup_scan() {
  local report=$1/drive_c/setup-check/scan-$2.txt
  rm -f "$report"
  setup_wine "$1" "$setup_check_portable\\Kelvane.exe" -report \
    "$setup_check_work\\scan-$2.txt" >&2 && [ -f "$report" ]
}

# setup_no_new_rows DIR NAME: fails on a row of scan-NAME.txt that the scan before the setup
# did not show.
setup_no_new_rows() {
  local new
  new=$(comm -13 <(grep -F '  #####  ' "$1/scan-before.txt" | sort) \
    <(grep -F '  #####  ' "$1/scan-$2.txt" | sort))
  [ -z "$new" ] && return 0
  echo "the scan $2 finds what it did not before: $(tr -d '\r' <<<"$new" | head -n 5)"
  return 1
}

# setup_snapshot PREFIX NAME: the whole registry, exported by the native registry editor and
# without the keys Wine rewrites by itself, into NAME.txt; every file and folder of drive C but
# this check's own, with sizes, into NAME.files.
setup_snapshot() {
  local prefix=$1 work=$1/drive_c/setup-check
  setup_wine "$prefix" regedit /e "$setup_check_work\\$2.reg" >&2 && [ -s "$work/$2.reg" ] ||
    return 1
  registry_export_text "$work/$2.reg" drop-unix-fonts "${setup_check_wine_keys[@]}" \
    >"$work/$2.txt"
  (cd "$prefix/drive_c" && find . -path ./setup-check -prune -o -printf '%y %s %p\n' |
    awk '$1 == "d" { $2 = "-" } 1' | sort) >"$work/$2.files"
}

# setup_entry_is PREFIX NAME VALUE: whether the uninstall entry's value NAME is VALUE.
setup_entry_is() {
  local found
  found=$(setup_entry "$1" "$2")
  [ "$found" = "$3" ] && return 0
  echo "the uninstall entry's $2 is '$found', not '$3'"
  return 1
}

# setup_entry PREFIX NAME: prints a value of the uninstall entry (a number as 0x...), from the
# 32-bit view. Read from the registry editor's export, which is UTF-16: reg query prints in the
# console's code page, which has no place for a folder named in another script.
setup_entry() {
  local export=$1/drive_c/setup-check/entry.reg
  rm -f "$export"
  setup_wine "$1" "$(setup_regedit32 "$1")" /e "$setup_check_work\\entry.reg" \
    "HKEY_LOCAL_MACHINE\\${setup_check_uninstall_key#HKLM\\}" >/dev/null 2>&1
  [ -f "$export" ] || return 0
  iconv -f UTF-16 -t UTF-8 "$export" | tr -d '\r' | NAME="\"$2\"=" awk '
    index($0, ENVIRON["NAME"]) == 1 {
      value = substr($0, length(ENVIRON["NAME"]) + 1)
      if (value ~ /^dword:/) { print "0x" substr(value, 7); exit }
      # A string between quotes, its backslashes and quotes escaped.
      for (i = 2; i < length(value); i++) {
        c = substr(value, i, 1)
        if (c == "\\") c = substr(value, ++i, 1)
        text = text c
      }
      print text
      exit
    }'
}

# setup_repair PREFIX FOLDER LOG: the installed program repairs what its one ticked category
# finds (the planted path); its backup and options.ini are kept to compare with later.
setup_repair() {
  local prefix=$1 folder=$2 log=$3 work=$1/drive_c/setup-check backups number said
  [ -d "$folder/Backup" ] || { echo "the setup made no Backup folder"; return 1; }
  {
    printf '[Options]\r\nShowHint=0\r\n[TreeViewNodeCheck]\r\n'
    for number in $(seq 1 23); do
      printf '%s=%s\r\n' "$number" "$([ "$number" -eq 6 ] && echo 1 || echo 0)"
    done
  } >"$folder/options.ini"
  # Its windows need a desktop on a display, as in cleanonce-check.sh.
  stop_prefix "$prefix"
  said=$(cd "$folder" && WINEPREFIX=$prefix timeout 300 xvfb-run -a wine Kelvane.exe -cleanonce \
    2>&1 >>"$log") || { echo "-cleanonce failed: $said"; return 1; }
  stop_prefix "$prefix"
  backups=("$folder"/Backup/Backup*.reg)
  [ -f "${backups[0]}" ] && [ "${#backups[@]}" -eq 1 ] &&
    grep -qF 'KelvaneSetupCheck' "${backups[0]}" ||
    { echo "the repair left no backup of the planted path: $said"; return 1; }
  # At its end the program writes options.ini, its default backup folder stored whole.
  said=$(setup_option "$folder/options.ini" OutputDirectory)
  [ "$said" = "$(windows_path "$prefix" "$folder")\\Backup" ] ||
    { echo "the program's options.ini names the backup folder '$said'"; return 1; }
  cp "${backups[0]}" "$folder/options.ini" "$work/kept/"
}

# setup_option FILE NAME: prints the value of NAME in options.ini, which is UTF-16 when it holds
# what code page 1252 cannot.
setup_option() {
  local encoding=CP1252
  [ "$(od -An -tx1 -N2 "$1" | tr -d ' ')" = fffe ] && encoding=UTF-16
  iconv -f "$encoding" -t UTF-8 "$1" | tr -d '\r' | sed -n "s/^$2=//p"
}

# setup_installed PREFIX FOLDER VERSION: the files, both shortcuts, the uninstall entry and the
# user's files after the upgrade; the installed program reports.
setup_installed() {
  local prefix=$1 folder=$2 version=$3 work=$1/drive_c/setup-check
  local file exe shortcut value size
  for file in "${program_files[@]}" uninstall.exe; do
    [ -f "$folder/$file" ] || { echo "$file is not installed"; return 1; }
  done
  cmp -s "$folder/Kelvane.exe" "$(host_path "$prefix" "$setup_check_portable")/Kelvane.exe" ||
    { echo "the installed Kelvane.exe is not the portable zip's"; return 1; }
  exe="$(windows_path "$prefix" "$folder")\\Kelvane.exe"
  for shortcut in "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
    "$prefix/drive_c/users/Public/Desktop"; do
    value=$(setup_shortcut_target "$shortcut/Tessaly Kelvane.lnk") ||
      { echo "no shortcut in ${shortcut#"$prefix/"}"; return 1; }
    [ "$value" = "$exe" ] ||
      { echo "the shortcut in ${shortcut#"$prefix/"} leads to $value, not $exe"; return 1; }
  done
  setup_entry_is "$prefix" DisplayName "Tessaly Kelvane" &&
    setup_entry_is "$prefix" DisplayVersion "$version" &&
    setup_entry_is "$prefix" Publisher "Tessaly Software" &&
    setup_entry_is "$prefix" DisplayIcon "$exe,0" &&
    setup_entry_is "$prefix" UninstallString \
      "\"$(windows_path "$prefix" "$folder")\\uninstall.exe\"" &&
    setup_entry_is "$prefix" QuietUninstallString \
      "\"$(windows_path "$prefix" "$folder")\\uninstall.exe\" /S" || return 1
  size=$(setup_entry "$prefix" EstimatedSize)
  [ $((size)) -ge $(($(stat -c %s "$folder/Kelvane.exe") / 1024)) ] ||
    { echo "the estimated size $size KB is less than the program's"; return 1; }
  for file in "$work"/kept/*; do
    cmp -s "$file" "$folder/${file##*/}" 2>/dev/null || cmp -s "$file" "$folder/Backup/${file##*/}" ||
      { echo "the upgrade changed or removed ${file##*/}"; return 1; }
  done
  rm -f "$work/report-installed.txt"
  setup_wine "$prefix" "$exe" -report "$setup_check_work\\report-installed.txt" >&2 &&
    [ -f "$work/report-installed.txt" ] || { echo "the installed program's -report failed"; return 1; }
}

# setup_shortcut_target FILE: prints the local path a shortcut file leads to as Windows resolves
# it: its LinkInfo's path, or where that is only a lossy ANSI copy, as Wine writes it for what
# code page 1252 cannot hold ("?"), the path its item list names.
setup_shortcut_target() {
  python3 - "$1" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read()
def number(form, at):
    return struct.unpack_from(form, data, at)[0]
if len(data) < 78 or number("<I", 0) != 76 or not number("<I", 20) & 2:
    sys.exit(1)
names, info = [], 76
if number("<I", 20) & 1:
    item, info = 78, 78 + number("<H", 76)
    while item < info and number("<H", item):
        size, kind = number("<H", item), data[item + 2]
        if kind & 0x70 == 0x20:  # a drive, named in ASCII
            names.append(data[item + 3:item + size].split(b"\0")[0].decode().rstrip("\\"))
        elif kind & 0x70 == 0x30:  # a file or folder: its long name ends before the last word
            start = end = item + size - 4
            while start > item + 3 and data[start - 2:start] != b"\0\0":
                start -= 2
            names.append(data[start:end].decode("utf-16-le"))
        item += size
if number("<I", info + 4) >= 0x24:  # with the path in UTF-16 too
    path = data[info + number("<I", info + 28):].decode("utf-16-le", "replace").split("\0")[0]
else:
    path = data[info + number("<I", info + 16):].split(b"\0")[0].decode("cp1252", "replace")
print("\\".join(names) if "?" in path else path)
PYTHON
}

# setup_uninstall PREFIX FOLDER LOG: runs the entry's quiet uninstall command and waits for the
# copy of the uninstaller it starts; the user's files must stay as they were.
setup_uninstall() {
  local prefix=$1 folder=$2 log=$3 work=$1/drive_c/setup-check command file
  command=$(setup_entry "$prefix" QuietUninstallString)
  [ "${command: -3}" = ' /S' ] || { echo "no quiet uninstall command: '$command'"; return 1; }
  setup_wine "$prefix" "$(sed 's/^"\(.*\)" \/S$/\1/' <<<"$command")" /S >>"$log" 2>&1 ||
    { echo "the uninstaller failed"; return 1; }
  WINEPREFIX=$prefix wineserver -w
  setup_pending_deletes "$prefix" || return 1
  [ -z "$(setup_entry "$prefix" DisplayName)" ] ||
    { echo "the uninstall entry is still there"; return 1; }
  for file in "$work"/kept/*; do
    cmp -s "$file" "$folder/${file##*/}" 2>/dev/null || cmp -s "$file" "$folder/Backup/${file##*/}" ||
      { echo "the uninstaller changed or removed ${file##*/}"; return 1; }
  done
}

# setup_pending_deletes PREFIX: like every NSIS uninstaller, this one runs from a copy of itself
# in %TEMP% and leaves that copy and its folder to be deleted at the next start of Windows; read
# before Wine starts again (which deletes them), nothing else may be waiting.
setup_pending_deletes() {
  local pending other
  pending=$(sed -n 's/^"PendingFileRenameOperations"=str(7):"\(.*\)"$/\1/p' "$1/system.reg" |
    sed 's/\\0/\n/g' | sed '/^$/d')
  other=$(grep -vE '^\\\\\?\?\\\\C:\\\\users\\\\[^\\]+\\\\Temp\\\\~nsu[^\\]*\.tmp(\\\\[^\\]+)?$' \
    <<<"$pending")
  [ -z "$other" ] && return 0
  echo "the uninstaller leaves to the next start: $(head -n 3 <<<"$other")"
  return 1
}

# setup_left_behind PREFIX FOLDER LOG: the files of drive C are as before but for the kept
# backup and options.ini (and the empty folder in %TEMP% the uninstaller's copy ran from: Wine
# deletes the folder before the copy in it, which fails; said in temp-note); importing the backup
# brings the registry back to what it was before.
setup_left_behind() {
  local prefix=$1 folder=$2 log=$3 work=$1/drive_c/setup-check inside added other
  setup_snapshot "$prefix" uninstalled || { echo "the export after uninstalling failed"; return 1; }
  inside=./${folder#"$prefix/drive_c/"}
  added=$(comm -13 "$work/before.files" "$work/uninstalled.files")
  other=$(grep -vxF -e "d - $inside" -e "d - $inside/Backup" <<<"$added" |
    grep -vE "^f [0-9]+ $(sed 's/[][().]/\\&/g' <<<"$inside")/(options\.ini|Backup/Backup[0-9]{14}\.reg)$" |
    grep -vE '^d - \./users/[^/]+/(AppData/Local/)?Temp/~nsu[^/]*\.tmp$')
  if [ -n "$other" ] || [ -n "$(comm -23 "$work/before.files" "$work/uninstalled.files")" ]; then
    {
      echo "Files that differ before installing and after uninstalling:"
      diff "$work/before.files" "$work/uninstalled.files"
    } >>"$log"
    echo "drive C differs beyond the kept files: $(head -n 3 <<<"${other:-(files removed)}")"
    return 1
  fi
  if grep -qE '/~nsu[^/]*\.tmp$' <<<"$added"; then
    echo "(Wine's next start deletes the uninstaller's copy but not its folder in %TEMP%)" \
      >"$work/temp-note"
  else
    : >"$work/temp-note"
  fi
  # What the repair deleted comes back from the backup, after which nothing else may differ.
  setup_wine "$prefix" "$(setup_regedit32 "$prefix")" /s "$setup_check_work\\kept\\$(
    cd "$work/kept" && ls Backup*.reg)" >>"$log" 2>&1 || { echo "importing the backup failed"; return 1; }
  setup_snapshot "$prefix" restored || { echo "the export after the import failed"; return 1; }
  clean_once_same "$work" before restored >>"$log" || {
    echo "the registry differs from before installing, backup imported (the diff is in the log)"
    return 1
  }
}

# setup_regedit32 PREFIX: the registry editor that sees the 32-bit view, as the program does.
setup_regedit32() {
  if [ -d "$1/drive_c/windows/syswow64" ]; then
    echo 'C:\windows\syswow64\regedit.exe'
  else
    echo 'C:\windows\regedit.exe'
  fi
}
