# Names in every script, end to end on a real machine whose ANSI code page is 1252: keys, values
# and files named in Cyrillic, Greek, Chinese, Japanese, Arabic and emoji must be reported with
# every character, repaired by the unattended clean run and brought back by its backups. Source
# it after wine.sh, sample-machine.sh, install.sh and cleanonce-check.sh, whose export,
# comparison and work folder it shares; tests/tools/unicode_names.py plants and judges.

unicode_names_tool=tests/tools/unicode_names.py

# unicode_names_machine PREFIX LOG: makes a 64-bit prefix in the empty folder PREFIX and plants
# the names, once: a marker file records that it is done, so a later call does nothing. It needs
# no build, so it can run while the program builds. Prints the reason when it fails.
unicode_names_machine() {
  local prefix=$1 log=$2 work=$1/drive_c/clean-once-check user planted output
  [ -f "$prefix/.unicode-names" ] && return 0
  make_sandboxed_prefix "$prefix" win64 || { echo "could not make a prefix"; return 1; }
  user=$(sample_profile_name "$prefix") || { echo "no user profile"; return 1; }
  mkdir -p "$work"
  planted=$(python3 "$unicode_names_tool" plant "$user" "$prefix/drive_c" "$work") ||
    { echo "could not write what is planted: $planted"; return 1; }
  output=$(clean_once_wine "$prefix" "$clean_once_regedit" /s "$clean_once_work\\names.reg" 2>&1)
  echo "$output" >>"$log"
  # The registry editor goes on past a key it cannot write and says so on its error output only.
  ! grep -q '^regedit:' <<<"$output" || { echo "importing the names failed"; return 1; }
  (cd "$prefix/drive_c" &&
    WINEPREFIX=$prefix WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" \
      timeout 120 wine cscript //nologo "$clean_once_work\\shortcuts.js") >>"$log" 2>&1 ||
    { echo "making the shortcuts failed"; return 1; }
  echo "$planted" >"$prefix/.unicode-names"
}

# check_unicode_names BUILD_DIR PREFIX LOG: on the machine unicode_names_machine makes in PREFIX
# (now, unless it did already), reports, cleans and restores. Prints one line of outcome; the
# details are added to LOG. Fails when a step or a check does.
check_unicode_names() {
  outcome_of "unicode names" "$2" "$3" unicode_names_steps "$1" "$2" "$3"
}

# unicode_names_steps BUILD_DIR PREFIX LOG: the steps; prints the counts, or the reason it
# stopped.
unicode_names_steps() {
  local build_dir=$1 prefix=$2 log=$3 work=$2/drive_c/clean-once-check
  local user program_dir folder reported cleaned said status backup
  unicode_names_machine "$prefix" "$log" || return 1
  user=$(sample_profile_name "$prefix") || { echo "no user profile"; return 1; }
  install_program "$build_dir" "$prefix" ||
    { echo "could not install the program from $build_dir"; return 1; }
  program_dir=$(program_folder "$prefix")
  folder=$(windows_path "$prefix" "$program_dir")
  mkdir -p "$program_dir/Backup"
  printf '[Options]\r\nShowHint=0\r\n' >"$program_dir/options.ini"

  clean_once_export "$prefix" before || { echo "the first export failed"; return 1; }
  python3 "$unicode_names_tool" planted "$user" "$work/before.reg" >>"$log" ||
    { echo "what was planted is not all in the registry (see the log)"; return 1; }

  clean_once_report "$prefix" names.jsonl >/dev/null || { echo "the report failed"; return 1; }
  reported=$(python3 "$unicode_names_tool" report "$user" "$work/report-names.jsonl") ||
    { echo "$reported" >>"$log"; echo "the report is not as planted (see the log)"; return 1; }

  said=$(clean_once_wine "$prefix" "$folder\\Kelvane.exe" -cleanonce -quiet \
    -report "$clean_once_work\\clean.jsonl" 2>&1)
  status=$?
  echo "$said" >>"$log"
  clean_once_export "$prefix" after || { echo "the export after the clean failed"; return 1; }
  cleaned=$(python3 "$unicode_names_tool" cleaned "$user" "$work/clean.jsonl" "$work/after.reg" \
    "$prefix/drive_c") ||
    { echo "$cleaned" >>"$log"; echo "the clean is not as planted (see the log)"; return 1; }
  # A row of an item met twice (through HKEY_USERS, below Wow6432Node) finds it gone and ends the
  # run with 3; each item was repaired, as the check above found.
  [ "$status" -eq 0 ] || [ "$status" -eq 3 ] ||
    { echo "-cleanonce ended with status $status: $said"; return 1; }

  local backups=("$program_dir"/Backup/Backup*.reg) names=()
  [ -f "${backups[0]}" ] || { echo "the clean wrote no backup"; return 1; }
  for backup in "${backups[@]}"; do
    unicode_names_backup_format "$backup" || return 1
    clean_once_recorded "$work/after.reg" "$backup" ||
      { echo "the program has no record of ${backup##*/} with the file's digest"; return 1; }
    unicode_names_import "$prefix" "$backup" "$log" ||
      { echo "importing the backup ${backup##*/} failed"; return 1; }
    names+=("${backup##*/}")
  done
  clean_once_export "$prefix" restored || { echo "the export after the import failed"; return 1; }
  clean_once_same "$work" before restored >>"$log" || {
    echo "after importing ${names[*]} the registry differs from before (the diff is in the log)"
    return 1
  }
  echo "imported ${names[*]}" >>"$log"
  echo "$(<"$prefix/.unicode-names"): $reported; $cleaned; ${#names[@]} backup files restore" \
    "the registry"
}

# unicode_names_backup_format FILE: a run's backup is REGEDIT4, what code page 1252 cannot hold
# goes into its "-Unicode" file in the registry editor's Unicode format.
unicode_names_backup_format() {
  local name=${1##*/} head
  if [[ $name == *-Unicode.reg ]]; then
    head=$(head -c 2 "$1" | od -An -tx1 | tr -d ' \n')
    [ "$head" = fffe ] && [ "$(unicode_names_line 1 "$1")" = \
      'Windows Registry Editor Version 5.00' ] ||
      { echo "$name is not UTF-16 with its mark and the Unicode header"; return 1; }
  else
    [ "$(unicode_names_line 1 "$1")" = REGEDIT4 ] ||
      { echo "$name does not begin with REGEDIT4"; return 1; }
  fi
}

# unicode_names_line N FILE: line N of a registry file in either format, as UTF-8.
unicode_names_line() {
  if [ "$(head -c 2 "$2" | od -An -tx1 | tr -d ' \n')" = fffe ]; then
    iconv -f UTF-16 -t UTF-8 "$2"
  else
    cat "$2"
  fi | sed -n "${1}p" | tr -d '\r'
}

# unicode_names_import PREFIX FILE LOG: imports a backup in the view it names, as the restore
# window does: the 64-bit view by the registry tool, otherwise by the 32-bit registry editor.
unicode_names_import() {
  local prefix=$1 file output status
  file=$(windows_path "$prefix" "$2")
  local command=("$clean_once_regedit" /s "$file")
  [ "$(unicode_names_line 2 "$2")" = "$clean_once_64bit_mark" ] &&
    command=("$clean_once_reg" import "$file" /reg:64)
  output=$(clean_once_wine "$prefix" "${command[@]}" 2>&1)
  status=$?
  echo "$output" >>"$3"
  [ "$status" -eq 0 ] && ! grep -q '^regedit:' <<<"$output"
}
