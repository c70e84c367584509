# The unattended clean run on the sample machine, end to end: it must repair what the report
# finds, leave one backup file, and that file must bring the registry back exactly. Source it
# after wine.sh, sample-machine.sh and install.sh.

# The program is 32-bit: the registry editor it starts, the 32-bit one, exports and imports the
# 32-bit view. Wine's editors both import a plain key name into that view, so what belongs in
# the 64-bit view is imported, and exported, by the registry tool told the view, as a backup that
# names that view is by the program.
clean_once_regedit='C:\windows\syswow64\regedit.exe'
clean_once_reg='C:\windows\syswow64\reg.exe'
clean_once_64bit_mark='; Keys as the 64-bit registry editor names them'
clean_once_work='C:\clean-once-check'

# Wine's display driver registers the display adapter again whenever its desktop starts: a new
# driver date under the adapter's class key and a Video key under a new GUID. These keys are
# left out of the comparisons; the check fails if the backup touches any of them.
clean_once_wine_keys=(
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E968-E325-11CE-BFC1-08002BE10318}\'
  'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Video\'
)

# The program's record of the backups it wrote, by which the restore window knows them as its
# own; it stays with the backups, as options.ini does, so comparisons leave it out.
program_record_keys=(
  'HKEY_LOCAL_MACHINE\Software\Tessaly'
  'HKEY_LOCAL_MACHINE\Software\Wow6432Node\Tessaly'
)

# check_clean_once_on_sample_machine BUILD_DIR PREFIX LOG: makes a 64-bit sample machine in the
# empty folder PREFIX, runs "Kelvane.exe -cleanonce" on it and imports the backup it wrote.
# Prints one line of outcome; the details go to LOG. Fails when a step or a comparison does.
check_clean_once_on_sample_machine() {
  : >"$3"
  outcome_of clean-once "$2" "$3" clean_once_steps "$1" "$2" "$3"
}

# clean_once_steps BUILD_DIR PREFIX LOG: the steps; prints the counts, or the reason it
# stopped.
clean_once_steps() {
  local build_dir=$1 prefix=$2 log=$3
  local work=$prefix/drive_c/clean-once-check
  local program_dir
  local before after status backups
  make_sandboxed_prefix "$prefix" win64 || { echo "could not make a prefix"; return 1; }
  prepare_sample_machine "$prefix" >>"$log" || {
    echo "could not prepare the sample machine"
    return 1
  }
  install_program "$build_dir" "$prefix" ||
    { echo "could not install the program from $build_dir"; return 1; }
  program_dir=$(program_folder "$prefix")
  mkdir -p "$program_dir/Backup" "$work"
  # Without the summary nothing waits for a click; the backup folder exists, so nothing asks.
  printf '[Options]\r\nShowHint=0\r\n' >"$program_dir/options.ini"

  clean_once_odd_values "$prefix" "$log" || return 1
  clean_once_letters "$prefix" "$log" || return 1
  clean_once_64bit_view "$prefix" "$log" || return 1

  clean_once_export "$prefix" before || { echo "the first export failed"; return 1; }
  before=$(clean_once_report "$prefix" before) || { echo "the first report failed"; return 1; }
  echo "problems before: $before" >>"$log"
  [ "$before" -gt 0 ] || { echo "the sample machine shows no problems"; return 1; }
  clean_once_machine_reports "$prefix" "$log" || return 1

  # The program makes windows, even hidden ones: its desktop must start on a display, so the
  # prefix's server is started again under the virtual one.
  stop_prefix "$prefix"
  local said
  said=$( (cd "$program_dir" &&
    WINEPREFIX=$prefix timeout 300 xvfb-run -a wine Kelvane.exe -cleanonce) 2>&1 >>"$log")
  status=$?
  echo "$said" >>"$log"
  # Back to a desktop without a display, as for the first export.
  stop_prefix "$prefix"
  # Rows the repair leaves (a value met again through HKEY_USERS) end it with 3, and say so.
  case $status in
    0) grep -Eq '^Kelvane: clean-once: .*, every (certain )?one repaired' <<<"$said" ||
         { echo "-cleanonce ended with 0 but said: $said"; return 1; } ;;
    3) grep -q '^Kelvane: clean-once: .*, some could not be repaired' <<<"$said" ||
         { echo "-cleanonce ended with 3 but said: $said"; return 1; } ;;
    124) echo "-cleanonce did not end within 300 s (a question or a window may wait)"; return 1 ;;
    *) echo "-cleanonce ended with status $status: $said"; return 1 ;;
  esac

  # One file per repair; the repairs after a check are few and usually share the first's file.
  backups=("$program_dir"/Backup/Backup*.reg)
  if [ ! -f "${backups[0]}" ] || [ "${#backups[@]}" -gt 3 ]; then
    echo "expected one to three Backup*.reg in the backup folder, found: $(ls "$program_dir/Backup")"
    return 1
  fi
  cp "${backups[0]}" "${log%.log}-backup.reg"
  local key backup
  for backup in "${backups[@]}"; do
    [ "$(head -n 1 "$backup" | tr -d '\r')" = REGEDIT4 ] || {
      echo "the backup ${backup##*/} does not begin with REGEDIT4"
      return 1
    }
    for key in "${clean_once_wine_keys[@]}"; do
      ! grep -qiF "[$key" "$backup" || {
        echo "the backup touches $key, which the comparison leaves out"
        return 1
      }
    done
  done

  after=$(clean_once_report "$prefix" after) || { echo "the second report failed"; return 1; }
  {
    echo "problems after: $after; these stay:"
    grep -F '  #####  ' "$work/report-after.txt" | tr -d '\r'
  } >>"$log"
  [ "$after" -lt "$before" ] || { echo "problems before $before, after $after"; return 1; }
  clean_once_report "$prefix" after.jsonl >/dev/null &&
    python3 tests/tools/check_reports.py docs/report.schema.json --no-certain \
      "$work/report-after.jsonl" >>"$log" ||
    { echo "a scan after the clean still finds certain rows (see the log)"; return 1; }
  clean_once_export "$prefix" after || { echo "the export after the clean failed"; return 1; }
  for backup in "${backups[@]}"; do
    clean_once_recorded "$work/after.reg" "$backup" ||
      { echo "the program has no record of ${backup##*/} with the file's digest"; return 1; }
  done
  if clean_once_same "$work" before after >>"$log"; then
    echo "the registry did not change (problems before $before, after $after)"
    return 1
  fi

  for backup in "${backups[@]}"; do
    clean_once_import "$prefix" "${backup##*/}" "$log" ||
      { echo "importing the backup ${backup##*/} failed"; return 1; }
  done
  clean_once_export "$prefix" restored || { echo "the export after the import failed"; return 1; }
  clean_once_same "$work" before restored >>"$log" || {
    echo "after importing the backup the registry differs from before (the diff is in the log)"
    return 1
  }
  echo "problems before $before, after $after; the backup restores the registry"
}

# clean_once_odd_values PREFIX LOG: a megabyte of text naming a missing file, 64 KB of binary
# data and a key holding only a subkey whose name the ANSI code page cannot hold must not hide
# any other problem nor pass for an empty key; the report is the one without them plus the
# megabyte's own rows. They are removed again afterwards.
clean_once_odd_values() {
  local prefix=$1 log=$2 work=$1/drive_c/clean-once-check plain odd big blob
  plain=$(clean_once_report "$prefix" plain) || { echo "the plain report failed"; return 1; }
  big=$(head -c 1048576 /dev/zero | tr '\0' x)
  blob=$(head -c 65536 /dev/zero | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\KelvaneOdd]\n'
    printf '"Big"="C:\\\\KelvaneGone\\\\%s.exe"\n"Blob"=hex:%s\n\n' "$big" "$blob"
    printf '[HKEY_LOCAL_MACHINE\\Software\\KelvaneOdd\\\u041a\u0438\u0440\u0438\u043b\u043b\u0438\u0446\u0430]\n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16 >"$work/odd.reg"
  clean_once_wine "$prefix" "$clean_once_regedit" /s "$clean_once_work\\odd.reg" >>"$log" 2>&1 ||
    { echo "importing the odd values failed"; return 1; }
  odd=$(clean_once_report "$prefix" odd) || { echo "the report with odd values failed"; return 1; }
  printf '[-HKEY_CURRENT_USER\\Software\\KelvaneOdd]\r\n[-HKEY_LOCAL_MACHINE\\Software\\KelvaneOdd]\r\n' |
    { printf 'REGEDIT4\r\n\r\n'; cat; } >"$work/odd-removed.reg"
  clean_once_wine "$prefix" "$clean_once_regedit" /s "$clean_once_work\\odd-removed.reg" \
    >>"$log" 2>&1 || { echo "removing the odd values failed"; return 1; }
  # The megabyte is met twice: through HKEY_CURRENT_USER and through HKEY_USERS; the machine's
  # KelvaneOdd holds nothing but a key named in Cyrillic, and is obsolete software.
  local extra
  extra=$(grep -cF 'KelvaneOdd' "$work/report-odd.txt" || true)
  if [ "$extra" -ne 3 ] || ! diff <(grep -vF 'KelvaneOdd' "$work/report-odd.txt") \
      "$work/report-plain.txt" >>"$log"; then
    echo "with odd values the report differs beyond their own three rows ($plain rows, then $odd)"
    return 1
  fi
  echo "odd values: $plain rows without them, $odd with them" >>"$log"
}

# clean_once_letters PREFIX LOG: a value whose names and text hold letters of the ANSI code page
# beyond ASCII, which every report, the repair and its backup must keep.
clean_once_letters() {
  local work=$1/drive_c/clean-once-check
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Caf\xe9]\r\n"Men\xfc"="C:\\\\Gone\\\\caf\xe9.exe"\r\n' \
    >"$work/letters.reg"
  clean_once_wine "$1" "$clean_once_regedit" /s "$clean_once_work\\letters.reg" >>"$2" 2>&1 ||
    { echo "importing the value with letters beyond ASCII failed"; return 1; }
}

# clean_once_64bit_view PREFIX LOG: leftovers in the 64-bit view and references of the shared
# user key to missing files in Program Files and the system folder are each reported once, in
# their view; what exists only where a 64-bit program looks (the real system folder, Program
# Files but not Program Files (x86), %ProgramFiles% in a 64-bit value) is not reported.
clean_once_64bit_view() {
  local prefix=$1 log=$2 work=$1/drive_c/clean-once-check user
  local gone='C:\\Program Files\\Kelvane Gone64' here='C:\\Program Files\\Kelvane Here64'
  local native='kelvane-here64.dll' guid='{6B656C76-616E-6500-0000-0000000064'
  user=$(sample_profile_name "$prefix") || return 1
  mkdir -p "$prefix/drive_c/Program Files/Kelvane Here64" &&
    touch "$prefix/drive_c/Program Files/Kelvane Here64/here.exe" \
      "$prefix/drive_c/windows/system32/$native" || return 1
  local software='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion'
  {
    printf 'REGEDIT4\n\n[%s\\App Paths\\kelvanegone64-app.exe]\n' "$software"
    printf '@="%s\\\\kelvanegone64-app.exe"\n\n' "$gone"
    printf '[%s\\Run]\n"Kelvane Gone64"="\\"%s\\\\run.exe\\" /tray"\n' "$software" "$gone"
    printf '"Kelvane Here64"="%s\\\\here.exe"\n' "$here"
    printf '"Kelvane Here64 Native"="C:\\\\Windows\\\\System32\\\\%s"\n' "$native"
    printf '"Kelvane Here64 Variable"="%%ProgramFiles%%\\\\Kelvane Here64\\\\here.exe"\n\n'
    printf '[%s\\Uninstall\\Kelvane Gone64]\n"DisplayName"="Kelvane Gone64"\n' "$software"
    printf '"UninstallString"="%s\\\\uninstall.exe"\n\n' "$gone"
    printf '[%s\\SharedDlls]\n"%s\\\\shared.dll"=dword:00000001\n\n' "$software" "$gone"
    printf '[HKEY_CLASSES_ROOT\\CLSID\\%sA}\\InprocServer32]\n' "$guid"
    printf '@="%s\\\\inproc.dll"\n\n' "$gone"
    printf '[HKEY_CLASSES_ROOT\\CLSID\\%sB}\\InprocServer32]\n' "$guid"
    printf '@="%%SystemRoot%%\\\\System32\\\\%s"\n\n' "$native"
    printf '[HKEY_CLASSES_ROOT\\TypeLib\\%sC}\\1.0\\0\\win64]\n@="%s\\\\typelib.dll"\n\n' \
      "$guid" "$gone"
    printf '[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\KelvaneGone64]\n'
    printf '"Type"=dword:00000001\n"Start"=dword:00000003\n'
    printf '"ImagePath"="C:\\\\Windows\\\\System32\\\\drivers\\\\kelvanegone64.sys"\n\n'
    printf '[HKEY_CLASSES_ROOT\\.kelvanegone64]\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Kelvane Wow64]\n'
    printf '"Gone Program Files"="%s\\\\user.exe"\n' "$gone"
    printf '"Gone System32"="C:\\\\Windows\\\\System32\\\\kelvanegone64-user.dll"\n'
    printf '"Here Program Files"="%s\\\\here.exe"\n' "$here"
    printf '"Here Native"="C:\\\\Windows\\\\System32\\\\%s"\n' "$native"
  } | sed 's/$/\r/' >"$work/view64.reg"
  clean_once_wine "$prefix" "$clean_once_reg" import "$clean_once_work\\view64.reg" /reg:64 \
    >>"$log" 2>&1 ||
    { echo "importing the 64-bit leftovers failed"; return 1; }
  (cd "$prefix/drive_c" && sample_shortcut_script >"$work/view64.js" &&
    WINEPREFIX=$prefix WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" \
      wine cscript //nologo 'C:\clean-once-check\view64.js' \
      "C:\\users\\$user\\Desktop\\Kelvane Gone64.lnk" "${gone//\\\\/\\}\\shortcut.exe" \
      "C:\\users\\$user\\Desktop\\Kelvane Here64.lnk" "${here//\\\\/\\}\\here.exe") >>"$log" 2>&1 ||
    { echo "making the 64-bit shortcuts failed"; return 1; }
  clean_once_report "$prefix" view64.jsonl >/dev/null ||
    { echo "the report with 64-bit leftovers failed"; return 1; }
  python3 - "$work/report-view64.jsonl" >>"$log" <<'PYTHON' ||
import json, sys
rows = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")][1:]
# The current user's values are met again through HKEY_USERS.
rows = [row for row in rows if row["category"] != "files-and-folders-users"]
expected = {"run.exe": "64-bit", "uninstall.exe": "64-bit", "shared.dll": "64-bit",
            "inproc.dll": "64-bit", "kelvanegone64-app.exe": "shared", "typelib.dll": "shared",
            "kelvanegone64.sys": "shared", ".kelvanegone64": "shared", "shortcut.exe": "none",
            "user.exe": "shared", "kelvanegone64-user.dll": "shared"}
def text(row):
    return " ".join(str(row[f] or "") for f in ("key", "value_text", "tested_path", "file")).lower()
wrong = []
for mark, view in expected.items():
    views = [row["view"] for row in rows if mark in text(row)]
    if views != [view]:
        wrong.append(f"{mark}: expected one row in the {view} view, found {views}")
wrong += [f"reported though it exists: {text(row)}" for row in rows if "here64" in text(row)]
print("\n".join(wrong) or f"64-bit view: {len(expected)} leftovers each reported once")
sys.exit(1 if wrong else 0)
PYTHON
    { echo "the 64-bit leftovers were not reported as planted (see the log)"; return 1; }
}

# clean_once_machine_reports PREFIX LOG: the CSV and JSON Lines reports hold the text report's
# rows, valid against the published schema.
clean_once_machine_reports() {
  local work=$1/drive_c/clean-once-check said
  clean_once_report "$1" before.csv >/dev/null && clean_once_report "$1" before.jsonl >/dev/null ||
    { echo "a machine report failed"; return 1; }
  said=$(python3 tests/tools/check_reports.py docs/report.schema.json "$work/report-before.txt" \
    "$work/report-before.csv" "$work/report-before.jsonl") || { echo "$said"; return 1; }
  echo "machine reports: $said" >>"$2"
}

# clean_once_wine PREFIX ARGS...: runs a Windows program in the prefix from inside it, as Wine
# has no drive for the host's folders; one that hangs is ended after two minutes.
clean_once_wine() {
  local prefix=$1
  shift
  (cd "$prefix/drive_c" && WINEPREFIX=$prefix timeout 120 wine "$@")
}

# clean_once_report PREFIX NAME: writes report-NAME.txt with -report and prints its row count;
# a NAME with an extension of its own gets that format.
clean_once_report() {
  local prefix=$1 name=$2 report folder
  [[ $name == *.* ]] || name=$name.txt
  report=$1/drive_c/clean-once-check/report-$name
  folder=$(windows_path "$prefix" "$(program_folder "$prefix")")
  rm -f "$report"
  clean_once_wine "$prefix" "$folder\\Kelvane.exe" -report "$clean_once_work\\report-$name" >&2 &&
    [ -f "$report" ] || return 1
  grep -cF '  #####  ' "$report" || true
}

# clean_once_export PREFIX NAME: exports the whole registry into NAME.reg, and as UTF-8 without
# the keys Wine rewrites by itself into NAME.txt.
clean_once_export() {
  local prefix=$1 work=$1/drive_c/clean-once-check
  clean_once_wine "$prefix" "$clean_once_regedit" /e "$clean_once_work\\$2.reg" >&2 &&
    [ -s "$work/$2.reg" ] || return 1
  # The 64-bit view of the machine's software, the 32-bit view below its Wow6432Node.
  clean_once_wine "$prefix" "$clean_once_reg" export 'HKLM\Software' "$clean_once_work\\$2-64.reg" \
    /reg:64 /y >&2 && [ -s "$work/$2-64.reg" ] || return 1
  registry_export_text "$work/$2.reg" keep-fonts "${clean_once_wine_keys[@]}" \
    "${program_record_keys[@]}" >"$work/$2.txt"
  registry_export_text "$work/$2-64.reg" keep-fonts "${program_record_keys[@]}" >>"$work/$2.txt"
}

# clean_once_recorded EXPORT BACKUP: whether the export holds the program's record of the backup
# file with its SHA-256 digest.
clean_once_recorded() {
  local name
  name=$(basename "$2" | tr '[:upper:]' '[:lower:]')
  iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r' |
    KEY="\\tessaly\\kelvane\\backups\\$name]" DIGEST="\"SHA256\"=\"$(sha256sum "$2" | cut -d ' ' -f 1)\"" \
    awk '/^\[/ { inside = index(tolower($0), ENVIRON["KEY"]) > 0 }
         inside && $0 == ENVIRON["DIGEST"] { found = 1 }
         END { exit !found }'
}

# registry_export_text EXPORT FONTS KEY...: a registry editor's export as UTF-8 lines without
# the keys that start with any KEY; with FONTS "drop-unix-fonts" also without the font entries
# Wine registers by their Unix paths.
registry_export_text() {
  local export=$1 fonts=$2
  shift 2
  iconv -f UTF-16 -t UTF-8 "$export" | tr -d '\r' |
    KEYS=$(printf '[%s\n' "$@") DROP_FONTS=$([ "$fonts" = drop-unix-fonts ] && echo 1) awk '
      BEGIN { count = split(ENVIRON["KEYS"], keys, "\n"); drop = ENVIRON["DROP_FONTS"] == 1 }
      /^\[/ {
        skip = 0
        for (i = 1; i <= count; i++) if (index(toupper($0), toupper(keys[i])) == 1) skip = 1
        fonts = drop && toupper($0) ~ /FONTS\]$/
      }
      fonts && index($0, "=\"\\\\??\\\\unix\\\\") { next }
      !skip'
}

# clean_once_import PREFIX BACKUP LOG: imports the backup file with the registry editor of the
# view it names, as the restore window does.
clean_once_import() {
  local prefix=$1 output folder editor=$clean_once_regedit
  folder=$(windows_path "$prefix" "$(program_folder "$prefix")")
  local command=("$clean_once_regedit" /s "$folder\\Backup\\$2")
  sed -n 2p "$(program_folder "$prefix")/Backup/$2" | tr -d '\r' |
    grep -qxF "$clean_once_64bit_mark" &&
    command=("$clean_once_reg" import "$folder\\Backup\\$2" /reg:64)
  output=$(clean_once_wine "$prefix" "${command[@]}" 2>&1) ||
    { echo "$output" >>"$3"; return 1; }
  echo "$output" >>"$3"
  # The registry editor goes on past a key it cannot write and says so on its error output only.
  ! grep -q '^regedit:' <<<"$output"
}

# clean_once_same DIR NAME1 NAME2: whether two filtered exports in DIR are the same; prints the
# lines in which they differ, each with its key.
clean_once_same() {
  local work=$1
  cmp -s "$work/$2.txt" "$work/$3.txt" && return 0
  echo "Lines that differ between the exports $2 and $3:"
  diff <(clean_once_sections "$work/$2.txt") <(clean_once_sections "$work/$3.txt") | head -n 200
  return 1
}

# clean_once_sections FILE: each key, and each value line prefixed with its key, so a diff names
# the key.
clean_once_sections() {
  awk '/^\[/ { key = $0; print; next } NF { print key " " $0 }' "$1"
}
