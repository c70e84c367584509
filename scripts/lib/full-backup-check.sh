# A full registry backup made through the program's window on the sample machine must be a file
# that Wine's registry editor imports into a fresh prefix. Source it after wine.sh and
# sample-machine.sh.

# The window test that makes the backup; it leaves the file in the folder it runs from.
full_backup_test='MainWindowTest.AFullBackupWritesTheWholeRegistryAndAsksBeforeReplacingIt'
full_backup_file=full-registry.reg

# Keys Wine keeps volatile: the display driver's video keys (also below the current hardware
# profile) and the user's temporary system parameters. A fresh prefix has them already, made
# anew by its own desktop, and the editor cannot write below them; what it says about these is
# not counted.
full_backup_volatile_keys=(
  'CurrentControlSet\Control\Video\'
  'HKEY_USERS\S-1-5-21-0-0-0-1000\Software\Wine\Temporary System Parameters\'
)

# check_full_backup_on_sample_machine BUILD_DIR PREFIX LOG: makes a 64-bit sample machine in
# the empty folder PREFIX (or uses the one there), backs its registry up with the program, and
# imports the file into a fresh prefix beside it. Prints one line of outcome; the details go to
# LOG. Fails when a step does.
check_full_backup_on_sample_machine() {
  local fresh status=0
  : >"$3"
  fresh=$(mktemp -d /tmp/kelvane-test-prefix.XXXXXX)
  outcome_of "full backup" "$2" "$3" full_backup_steps "$1" "$2" "$fresh" "$3" || status=1
  stop_prefix "$fresh"
  rm -rf "$fresh"
  return "$status"
}

# full_backup_steps BUILD_DIR PREFIX FRESH LOG: the steps; prints what was imported, or the
# reason it stopped.
full_backup_steps() {
  local build_dir=$1 prefix=$2 fresh=$3 log=$4 output
  local runner_dir=$2/drive_c/kelvane-tests
  # The program is 32-bit: it backs up through the 32-bit editor, which imports it again.
  local regedit='C:\windows\syswow64\regedit.exe' reg='C:\windows\syswow64\reg.exe'
  [ -f "$prefix/system.reg" ] || make_sandboxed_prefix "$prefix" win64 ||
    { echo "could not make a prefix"; return 1; }
  prepare_sample_machine "$prefix" >>"$log" ||
    { echo "could not prepare the sample machine"; return 1; }
  mkdir -p "$runner_dir" && cp "$build_dir/window_tests.exe" "$runner_dir/" ||
    { echo "could not copy the window tests"; return 1; }
  rm -f "$runner_dir/$full_backup_file"
  # Windows need a display: the prefix's server starts again under the virtual one.
  stop_prefix "$prefix"
  (cd "$runner_dir" && WINEPREFIX=$prefix timeout 300 xvfb-run -a wine window_tests.exe \
    --gtest_filter="$full_backup_test") >>"$log" 2>&1 ||
    { echo "the backup's window test failed"; return 1; }
  stop_prefix "$prefix"
  [ -s "$runner_dir/$full_backup_file" ] || { echo "the program wrote no backup"; return 1; }

  make_sandboxed_prefix "$fresh" win64 || { echo "could not make a fresh prefix"; return 1; }
  cp "$runner_dir/$full_backup_file" "$fresh/drive_c/" ||
    { echo "could not copy the backup"; return 1; }
  output=$(cd "$fresh/drive_c" &&
    WINEPREFIX=$fresh timeout 300 wine "$regedit" /s "C:\\$full_backup_file" 2>&1) ||
    { echo "$output" >>"$log"; echo "importing the backup failed"; return 1; }
  echo "$output" >>"$log"
  # The registry editor goes on past a key it cannot write and says so on its error output only.
  grep '^regedit:' <<<"$output" | grep -vF "${full_backup_volatile_keys[@]/#/-e}" >&2 &&
    { echo "the editor could not import every key (see the log)"; return 1; }
  # What only the sample machine has is in the fresh prefix now.
  (cd "$fresh/drive_c" &&
    WINEPREFIX=$fresh wine "$reg" query 'HKLM\Software\Quillfeather Labs\Notes' /v InstallDir) \
    >>"$log" 2>&1 || { echo "the sample machine's keys are not in the fresh prefix"; return 1; }
  echo "its $(($(stat -c %s "$runner_dir/$full_backup_file") / 1024)) KB import into a fresh prefix"
}
