# Turns a freshly made sandboxed Wine prefix into a machine that looks lived in. Source it
# after wine.sh. The keys it imports are in sample-machine.reg beside it.
#
# The story: Quillfeather Notes (C:\Apps) and two programs in Program Files are installed and
# whole. Hollowmere PhotoDesk, the game Emberline Tactics, Tinplate Sync, Pennyroyal Disk Tidy
# and a Glasswing sound theme were removed, and left behind what removals leave: application
# paths, startup and disabled startup entries, uninstall and installer entries, shared DLL
# counts, help and font entries, class, extension and COM registrations, services, Start menu
# keys, shortcuts, sound events, recent-file lists and program-use history. Every vendor and
# program is invented.
#
# The program is a 32-bit process; in a 64-bit prefix it sees HKLM\Software through
# Wow6432Node, so the keys are imported by the 32-bit registry editor. References below
# "Program Files" or "system32" are not judged on 64-bit Windows, so the removed programs lived
# in C:\Apps, C:\Games and the user's application data.

# prepare_sample_machine PREFIX: fills the prefix once; a marker file in it records that it is
# done, so a later call does nothing.
prepare_sample_machine() {
  local prefix=$1
  local marker=$prefix/.sample-machine
  [ -f "$marker" ] && return 0
  echo "Filling the sample machine in $prefix with what installed and removed programs leave" \
    "behind (a few seconds, once) ..." >&2

  local drive_c=$prefix/drive_c user
  user=$(sample_profile_name "$prefix") || return 1
  local program_files="Program Files"
  [ -d "$drive_c/Program Files (x86)" ] && program_files="Program Files (x86)"
  # The 32-bit registry tools.
  local regedit='C:\windows\regedit.exe' reg='C:\windows\system32\reg.exe'
  if [ -d "$drive_c/windows/syswow64" ]; then
    regedit='C:\windows\syswow64\regedit.exe'
    reg='C:\windows\syswow64\reg.exe'
  fi

  sample_make_files "$drive_c" "$user" "$program_files" || return 1
  sample_shortcut_list "$user" "$program_files"
  sample_make_shortcut_folders "$drive_c" || return 1

  local setup=$drive_c/sample-machine-setup
  mkdir -p "$setup"
  sample_registry_text "$user" "$program_files" | sed 's/$/\r/' |
    iconv -f UTF-8 -t CP1252 >"$setup/sample.reg" || {
    echo "prepare_sample_machine: could not write the registry file" >&2
    return 1
  }
  sample_shortcut_script >"$setup/shortcuts.js"

  local status=0 log=$setup/wine.log
  (
    cd "$drive_c" || exit 1
    export WINEPREFIX=$prefix
    wine "$regedit" /s 'C:\sample-machine-setup\sample.reg' || exit 1
    # regedit goes on past a key it cannot write and says so on its error output only.
    ! grep -q '^regedit:' "$log" || exit 1
    # The 32-bit program must see the imported machine keys.
    wine "$reg" query 'HKLM\Software\Quillfeather Labs\Notes' /v InstallDir \
      >/dev/null 2>&1 || exit 2
    # Saving a shortcut would otherwise make menu entries on the host.
    WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" \
      wine cscript //nologo 'C:\sample-machine-setup\shortcuts.js' \
      "${sample_shortcuts[@]}" || exit 3
    wineserver -w
  ) >"$log" 2>&1 || status=$?
  case $status in
    0) ;;
    2) echo "prepare_sample_machine: the imported keys are not in the 32-bit view" >&2 ;;
    3) echo "prepare_sample_machine: making the shortcuts failed" >&2 ;;
    *) echo "prepare_sample_machine: importing the registry file failed" >&2 ;;
  esac
  if [ "$status" -ne 0 ]; then
    cat "$log" >&2
    rm -rf "$setup"
    return 1
  fi
  rm -rf "$setup"
  touch "$marker"
}

# sample_profile_name PREFIX: the user's profile folder name (the one that is not Public).
sample_profile_name() {
  local dir
  for dir in "$1"/drive_c/users/*/; do
    dir=${dir%/}
    dir=${dir##*/}
    [ "$dir" != Public ] && [ -d "$1/drive_c/users/$dir/AppData" ] && {
      echo "$dir"
      return 0
    }
  done
  echo "prepare_sample_machine: no user profile in $1" >&2
  return 1
}

# sample_file PATH...: placeholder files for programs, libraries and documents.
sample_file() {
  local path
  for path in "$@"; do
    mkdir -p "$(dirname "$path")"
    printf 'sample machine placeholder: %s\r\n' "${path##*/}" >"$path"
  done
}

# sample_wave PATH: a valid, silent wave file.
sample_wave() {
  mkdir -p "$(dirname "$1")"
  {
    printf 'RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00'
    printf '\x22\x56\x00\x00\x22\x56\x00\x00\x01\x00\x08\x00data\x00\x00\x00\x00'
  } >"$1"
}

# sample_make_files DRIVE_C USER PROGRAM_FILES: the files of the installed programs, the
# user's documents, and what the removed ones left on disk.
sample_make_files() {
  local c=$1 profile=$1/users/$2 pf=$1/$3
  local notes=$c/Apps/Quillfeather/Notes
  sample_file "$notes/qfnotes.exe" "$notes/qfindex.exe" "$notes/uninstall.exe" \
    "$notes/qfshell.dll" "$notes/Help/qfnotes.chm" "$notes/Help/qfnotes.hlp" \
    "$notes/Fonts/qfserif.ttf" "$c/Apps/Quillfeather/Common/qfcore.dll" \
    "$c/Apps/Quillfeather/Common/qfspell.dll" "$c/windows/Fonts/qfsans.ttf" \
    "$c/ProgramData/Quillfeather/Notes/index.db"
  sample_wave "$notes/Sounds/reminder.wav"
  sample_file "$pf/Copperleaf/Player/cplayer.exe" "$pf/Copperleaf/Player/cptray.exe" \
    "$pf/Copperleaf/Player/cpcodec.dll" "$pf/Thistledown/Calendar/tdcal.exe" \
    "$pf/Thistledown/Calendar/uninst.exe"
  sample_file "$profile/Documents/Notebooks/shopping.qfn" \
    "$profile/Documents/Notebooks/recipes.qfn" "$profile/Documents/Birthdays.tdcal"
  # The game's uninstaller kept the saved games, so its folder is still there.
  sample_file "$c/Games/Emberline Tactics/Saves/slot1.emsave"
  mkdir -p "$profile/Documents/Old Photos"
}

# The shortcuts, as pairs of shortcut file and target (Windows paths); set by
# sample_shortcut_list.
sample_shortcuts=()

# sample_shortcut_list USER PROGRAM_FILES: fills sample_shortcuts. The folders of the shortcuts
# are made by sample_make_shortcut_folders.
sample_shortcut_list() {
  local profile="C:\\users\\$1" pf="C:\\$2"
  local roaming="$profile\\AppData\\Roaming"
  local programs="$roaming\\Microsoft\\Windows\\Start Menu\\Programs"
  local common_programs="C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"
  local notes="C:\\Apps\\Quillfeather\\Notes"
  local game="C:\\Games\\Emberline Tactics"
  local photodesk="C:\\Apps\\Hollowmere\\PhotoDesk"
  sample_shortcuts=(
    # Left behind by the removed programs.
    "$profile\\Desktop\\Emberline Tactics.lnk" "$game\\emberline.exe"
    "C:\\users\\Public\\Desktop\\Hollowmere PhotoDesk.lnk" "$photodesk\\photodesk.exe"
    "$programs\\Orrery Forge\\Emberline Tactics.lnk" "$game\\emberline.exe"
    "$programs\\Orrery Forge\\Uninstall Emberline Tactics.lnk" "$game\\unins000.exe"
    "$common_programs\\Hollowmere PhotoDesk Help.lnk" "$photodesk\\Help\\photodesk.chm"
    "$roaming\\Microsoft\\Internet Explorer\\Quick Launch\\Emberline Tactics.lnk"
    "$game\\emberline.exe"
    "$roaming\\Microsoft\\Windows\\Recent\\harbour.hmpd.lnk"
    "$profile\\Documents\\Old Photos\\harbour.hmpd"
    "$roaming\\Tinplate\\Sync\\Open Tinplate Sync.lnk"
    "$profile\\AppData\\Local\\Tinplate\\Sync\\tpsync.exe"
    # Those of the installed programs and documents.
    "$profile\\Desktop\\Quillfeather Notes.lnk" "$notes\\qfnotes.exe"
    "$profile\\Desktop\\Notebooks.lnk" "$profile\\Documents\\Notebooks"
    "$profile\\Desktop\\Copperleaf Player.lnk" "$pf\\Copperleaf\\Player\\cplayer.exe"
    "$programs\\Quillfeather Notes\\Quillfeather Notes.lnk" "$notes\\qfnotes.exe"
    "$programs\\Quillfeather Notes\\Uninstall Quillfeather Notes.lnk" "$notes\\uninstall.exe"
    "$common_programs\\Thistledown Calendar.lnk" "$pf\\Thistledown\\Calendar\\tdcal.exe"
    "$roaming\\Microsoft\\Windows\\Recent\\shopping.qfn.lnk"
    "$profile\\Documents\\Notebooks\\shopping.qfn"
    "$roaming\\Microsoft\\Internet Explorer\\Quick Launch\\Quillfeather Notes.lnk"
    "$notes\\qfnotes.exe"
  )
}

# sample_make_shortcut_folders DRIVE_C: the folders the shortcut files go into.
sample_make_shortcut_folders() {
  local i path
  for ((i = 0; i < ${#sample_shortcuts[@]}; i += 2)); do
    path=${sample_shortcuts[i]#C:\\}
    path=$1/${path//\\//}
    mkdir -p "$(dirname "$path")" || return 1
  done
}

# sample_shortcut_script: a script for Wine's script host that saves a shortcut for each pair of
# arguments (shortcut file, target) through the shell link object.
sample_shortcut_script() {
  cat <<'EOF'
var shell = WScript.CreateObject("WScript.Shell");
var args = WScript.Arguments;
for (var i = 0; i + 1 < args.length; i += 2) {
  var link = shell.CreateShortcut(args(i));
  link.TargetPath = args(i + 1);
  link.Save();
}
EOF
}

# sample_rot13 TEXT: the letter rotation in which the program-use history stores its names.
sample_rot13() {
  printf '%s' "$1" | tr 'A-Za-z' 'N-ZA-Mn-za-m'
}

# sample_program_use NAME COUNT: one value of the program-use history, .reg syntax: the name
# rotated and escaped, 16 bytes of data holding the run counter in bytes 4 to 7.
sample_program_use() {
  local name
  name=$(sample_rot13 "$1")
  name=${name//\\/\\\\}
  printf '"%s"=hex:01,00,00,00,%02x,00,00,00,80,3c,5b,2e,6c,42,ca,01\n' "$name" "$2"
}

# The registry of the sample machine, REGEDIT4 text beside this script; @USER@ stands for the
# profile's name and @PF@ for the 32-bit Program Files folder. The path is made absolute now, as
# the callers change folders later.
sample_registry_file=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/sample-machine.reg

# sample_registry_text USER PROGRAM_FILES: the keys of sample_registry_file with the
# placeholders filled in, followed by the program-use history, REGEDIT4 text with LF line ends.
sample_registry_text() {
  local user=$1 program_files=$2 text
  text=$(<"$sample_registry_file") || return 1
  text=${text//@USER@/"$user"}
  text=${text//@PF@/"$program_files"}
  printf '%s\n\n' "$text"
  local explorer='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer'
  echo "[$explorer\UserAssist\{75048700-EF1F-11D0-9888-006097DEACF9}\Count]"
  sample_program_use 'UEME_CTLSESSION' 2
  sample_program_use 'UEME_UISCUT' 3
  sample_program_use 'UEME_RUNPATH:C:\Games\Emberline Tactics\emberline.exe' 23
  sample_program_use 'UEME_RUNPATH:C:\Apps\Hollowmere\PhotoDesk\photodesk.exe' 9
  sample_program_use 'UEME_RUNPIDL:%csidl2%\Hollowmere PhotoDesk\PhotoDesk.lnk' 0
  sample_program_use 'UEME_RUNPATH:C:\Apps\Quillfeather\Notes\qfnotes.exe' 41
  sample_program_use 'UEME_RUNPIDL:%csidl2%\Quillfeather Notes\Quillfeather Notes.lnk' 12
  sample_program_use "UEME_RUNPATH:C:\\$program_files\\Copperleaf\\Player\\cplayer.exe" 5
  echo
}
