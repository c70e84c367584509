# Turns a freshly made sandboxed Wine prefix into a machine that looks lived in. Source it
# after wine.sh.
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
  echo "Preparing the sample machine in $prefix ..."

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

# sample_registry_text USER PROGRAM_FILES: the keys, REGEDIT4 text with LF line ends.
sample_registry_text() {
  local user=$1 program_files=$2 text
  text=$(sample_registry_template)
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

# The registry of the sample machine; @USER@ stands for the profile's name and @PF@ for the
# 32-bit Program Files folder.
sample_registry_template() {
  cat <<'EOF'
REGEDIT4

; ---- Quillfeather Notes: installed in C:\Apps, everything present ----

[HKEY_LOCAL_MACHINE\Software\Quillfeather Labs\Notes]
"InstallDir"="C:\\Apps\\Quillfeather\\Notes"
"DataFolder"="C:\\ProgramData\\Quillfeather\\Notes"
"Version"="3.1.0"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\qfnotes.exe]
@="C:\\Apps\\Quillfeather\\Notes\\qfnotes.exe"
"Path"="C:\\Apps\\Quillfeather\\Notes"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillfeatherNotes]
"DisplayName"="Quillfeather Notes 3.1"
"DisplayVersion"="3.1.0"
"Publisher"="Quillfeather Labs"
"InstallLocation"="C:\\Apps\\Quillfeather\\Notes\\"
"DisplayIcon"="C:\\Apps\\Quillfeather\\Notes\\qfnotes.exe,0"
"UninstallString"="\"C:\\Apps\\Quillfeather\\Notes\\uninstall.exe\" /remove"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Management\ARPCache\QuillfeatherNotes]
"Changed"=dword:00000000
"SlowInfoCache"=hex:28,02,00,00,01,00,00,00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\Folders]
"C:\\Apps\\Quillfeather\\Notes\\"=""
"C:\\Apps\\Quillfeather\\Common\\"=""

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDlls]
"C:\\Apps\\Quillfeather\\Common\\qfcore.dll"=dword:00000003
; Still on disk, but nothing uses it any more.
"C:\\Apps\\Quillfeather\\Common\\qfspell.dll"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\Help]
"qfnotes.hlp"="C:\\Apps\\Quillfeather\\Notes\\Help"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\Html Help]
"qfnotes.chm"="C:\\Apps\\Quillfeather\\Notes\\Help\\"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Quillfeather Serif (TrueType)"="C:\\Apps\\Quillfeather\\Notes\\Fonts\\qfserif.ttf"
"Quillfeather Sans (TrueType)"="qfsans.ttf"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"QuillfeatherIndexer"="C:\\Apps\\Quillfeather\\Notes\\qfindex.exe -background"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Shared Tools\MSConfig\startupreg\QuillfeatherReminder]
"key"="SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"
"item"="qfnotes"
"hkey"="HKCU"
"command"="\"C:\\Apps\\Quillfeather\\Notes\\qfnotes.exe\" /reminders"
"inimapping"="0"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\QuillfeatherIndexer]
"Type"=dword:00000010
"Start"=dword:00000004
"ErrorControl"=dword:00000001
"ImagePath"="\"C:\\Apps\\Quillfeather\\Notes\\qfindex.exe\" -service"
"DisplayName"="Quillfeather Notes Indexer"
"ObjectName"="LocalSystem"

[HKEY_LOCAL_MACHINE\Software\Classes\.qfn]
@="Quillfeather.Note"
"Content Type"="application/x-quillfeather-note"

[HKEY_LOCAL_MACHINE\Software\Classes\Quillfeather.Note]
@="Quillfeather Note"

[HKEY_LOCAL_MACHINE\Software\Classes\Quillfeather.Note\CLSID]
@="{4D8F2A6B-93E1-4C57-B0A8-7E2F1C6D9A34}"

[HKEY_LOCAL_MACHINE\Software\Classes\Quillfeather.Note\DefaultIcon]
@="C:\\Apps\\Quillfeather\\Notes\\qfnotes.exe,1"

[HKEY_LOCAL_MACHINE\Software\Classes\Quillfeather.Note\shell\open\command]
@="\"C:\\Apps\\Quillfeather\\Notes\\qfnotes.exe\" \"%1\""

[HKEY_LOCAL_MACHINE\Software\Classes\Applications\qfnotes.exe\shell\open\command]
@="\"C:\\Apps\\Quillfeather\\Notes\\qfnotes.exe\" \"%1\""

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{4D8F2A6B-93E1-4C57-B0A8-7E2F1C6D9A34}]
@="Quillfeather Note Document"
"AppID"="{4D8F2A6C-93E1-4C57-B0A8-7E2F1C6D9A34}"

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{4D8F2A6B-93E1-4C57-B0A8-7E2F1C6D9A34}\InprocServer32]
@="C:\\Apps\\Quillfeather\\Notes\\qfshell.dll"
"ThreadingModel"="Apartment"

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{4D8F2A6B-93E1-4C57-B0A8-7E2F1C6D9A34}\ProgID]
@="Quillfeather.Note"

[HKEY_LOCAL_MACHINE\Software\Classes\AppID\{4D8F2A6C-93E1-4C57-B0A8-7E2F1C6D9A34}]
@="Quillfeather Notes"

[HKEY_LOCAL_MACHINE\Software\Classes\TypeLib\{4D8F2A6D-93E1-4C57-B0A8-7E2F1C6D9A34}\1.0]
@="Quillfeather Notes Type Library"

[HKEY_LOCAL_MACHINE\Software\Classes\TypeLib\{4D8F2A6D-93E1-4C57-B0A8-7E2F1C6D9A34}\1.0\0\win32]
@="C:\\Apps\\Quillfeather\\Notes\\qfshell.dll"

[HKEY_LOCAL_MACHINE\Software\Classes\TypeLib\{4D8F2A6D-93E1-4C57-B0A8-7E2F1C6D9A34}\1.0\HELPDIR]
@="C:\\Apps\\Quillfeather\\Notes\\Help"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{4D8F2A6E-93E1-4C57-B0A8-7E2F1C6D9A34}]
@="IQuillfeatherNote"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{4D8F2A6E-93E1-4C57-B0A8-7E2F1C6D9A34}\ProxyStubClsid32]
@="{00020424-0000-0000-C000-000000000046}"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{4D8F2A6E-93E1-4C57-B0A8-7E2F1C6D9A34}\TypeLib]
@="{4D8F2A6D-93E1-4C57-B0A8-7E2F1C6D9A34}"
"Version"="1.0"

[HKEY_CURRENT_USER\Software\Quillfeather Labs\Notes]
"NotebookFolder"="C:\\users\\@USER@\\Documents\\Notebooks"
"LastNotebook"="C:\\users\\@USER@\\Documents\\Notebooks\\shopping.qfn"
"WindowState"=dword:00000001

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]
"Quillfeather Notes"="\"C:\\Apps\\Quillfeather\\Notes\\qfnotes.exe\" /tray"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.qfn\OpenWithList]
"a"="qfnotes.exe"
"MRUList"="a"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\QuillfeatherNotes]
@="Quillfeather Notes"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\QuillfeatherNotes\Reminder\.Current]
@="C:\\Apps\\Quillfeather\\Notes\\Sounds\\reminder.wav"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\QuillfeatherNotes\Reminder\.Default]
@="C:\\Apps\\Quillfeather\\Notes\\Sounds\\reminder.wav"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\MenuOrder\Start Menu2\Programs\Quillfeather Notes]
"Order"=hex:08,00,00,00,02,00,00,00,00,00,00,00,00,00,00,00

; ---- Copperleaf Player and Thistledown Calendar: installed in Program Files ----

[HKEY_LOCAL_MACHINE\Software\Copperleaf Audio\Player]
"InstallDir"="C:\\@PF@\\Copperleaf\\Player"
"Version"="2.8.4"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\cplayer.exe]
@="C:\\@PF@\\Copperleaf\\Player\\cplayer.exe"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\{3F2A9C1E-7B4D-4E8A-9C11-2D5E6F7A8B90}]
"DisplayName"="Copperleaf Player"
"DisplayVersion"="2.8.4"
"Publisher"="Copperleaf Audio"
"InstallLocation"="C:\\@PF@\\Copperleaf\\Player\\"
"UninstallString"="MsiExec.exe /X{3F2A9C1E-7B4D-4E8A-9C11-2D5E6F7A8B90}"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDlls]
"C:\\@PF@\\Copperleaf\\Player\\cpcodec.dll"=dword:00000001

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"Copperleaf Tray"="\"C:\\@PF@\\Copperleaf\\Player\\cptray.exe\""

[HKEY_LOCAL_MACHINE\Software\Classes\Applications\cplayer.exe\shell\open\command]
@="\"C:\\@PF@\\Copperleaf\\Player\\cplayer.exe\" \"%1\""

[HKEY_LOCAL_MACHINE\Software\Thistledown Software\Calendar]
"InstallDir"="C:\\@PF@\\Thistledown\\Calendar"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\tdcal.exe]
@="C:\\@PF@\\Thistledown\\Calendar\\tdcal.exe"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Thistledown Calendar]
"DisplayName"="Thistledown Calendar"
"Publisher"="Thistledown Software"
"UninstallString"="C:\\@PF@\\Thistledown\\Calendar\\uninst.exe"

[HKEY_LOCAL_MACHINE\Software\Classes\.tdcal]
@="Thistledown.Calendar"

[HKEY_LOCAL_MACHINE\Software\Classes\Thistledown.Calendar\shell\open\command]
@="\"C:\\@PF@\\Thistledown\\Calendar\\tdcal.exe\" \"%1\""

[HKEY_CURRENT_USER\Software\Thistledown Software\Calendar]
"LastCalendar"="C:\\users\\@USER@\\Documents\\Birthdays.tdcal"

; ---- Hollowmere PhotoDesk: removed; its uninstaller forgot most of the registry ----

[HKEY_LOCAL_MACHINE\Software\Hollowmere Software\PhotoDesk\4.2]
"InstallDir"="C:\\Apps\\Hollowmere\\PhotoDesk"
"PluginDir"="C:\\Apps\\Hollowmere\\PhotoDesk\\Plugins"
"SharedDir"="C:\\Apps\\Hollowmere\\Common"
"Edition"="Home"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\photodesk.exe]
@="C:\\Apps\\Hollowmere\\PhotoDesk\\photodesk.exe"
"Path"="C:\\Apps\\Hollowmere\\PhotoDesk"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\HollowmerePhotoDesk]
"DisplayName"="Hollowmere PhotoDesk 4.2"
"DisplayVersion"="4.2.1"
"Publisher"="Hollowmere Software"
"InstallLocation"="C:\\Apps\\Hollowmere\\PhotoDesk\\"
"DisplayIcon"="C:\\Apps\\Hollowmere\\PhotoDesk\\photodesk.exe,0"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Management\ARPCache\HollowmereWebUploader]
"Changed"=dword:00000000
"SlowInfoCache"=hex:28,02,00,00,00,00,00,00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\Folders]
"C:\\Apps\\Hollowmere\\PhotoDesk\\"=""
"C:\\Apps\\Hollowmere\\Common\\"=""

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDlls]
"C:\\Apps\\Hollowmere\\Common\\hmimage.dll"=dword:00000001
"C:\\Apps\\Hollowmere\\Common\\hmcodec.dll"=dword:00000002

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\Help]
"photodesk.hlp"="C:\\Apps\\Hollowmere\\PhotoDesk\\Help"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\Html Help]
"photodesk.chm"="C:\\Apps\\Hollowmere\\PhotoDesk\\Help"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Hollowmere Script (TrueType)"="C:\\Apps\\Hollowmere\\PhotoDesk\\Fonts\\hmscript.ttf"
"Hollowmere Script Bold (TrueType)"="C:\\Apps\\Hollowmere\\PhotoDesk\\Fonts\\hmscriptb.ttf"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"HollowmereUpdater"="C:\\Apps\\Hollowmere\\Update\\hmupdate.exe /silent"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Shared Tools\MSConfig\startupreg\HollowmereQuickLaunch]
"key"="SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"
"item"="hmquick"
"hkey"="HKLM"
"command"="\"C:\\Apps\\Hollowmere\\PhotoDesk\\hmquick.exe\" -preload"
"inimapping"="0"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\HollowmereUpdate]
"Type"=dword:00000010
"Start"=dword:00000004
"ErrorControl"=dword:00000001
"ImagePath"="\"C:\\Apps\\Hollowmere\\Update\\hmupdsvc.exe\" /service"
"DisplayName"="Hollowmere Update Service"
"ObjectName"="LocalSystem"

[HKEY_LOCAL_MACHINE\Software\Classes\.hmpd]

[HKEY_LOCAL_MACHINE\Software\Classes\.hmpreset]
@=""

[HKEY_LOCAL_MACHINE\Software\Classes\Hollowmere.PhotoDesk.1]

[HKEY_LOCAL_MACHINE\Software\Classes\Applications\photodesk.exe\shell\open\command]
@="\"C:\\Apps\\Hollowmere\\PhotoDesk\\photodesk.exe\" \"%1\""

[HKEY_LOCAL_MACHINE\Software\Classes\Applications\photodesk.exe\shell\edit\command]
@="\"C:\\Apps\\Hollowmere\\PhotoDesk\\photodesk.exe\" /edit \"%1\""

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{6B1E4F20-8C3A-4D7E-9A52-1F0C3B7D2E41}]
@="Hollowmere Thumbnail Provider"
"AppID"="{6B1E4F21-8C3A-4D7E-9A52-1F0C3B7D2E41}"

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{6B1E4F20-8C3A-4D7E-9A52-1F0C3B7D2E41}\InprocServer32]
@="C:\\Apps\\Hollowmere\\PhotoDesk\\hmthumb.dll"
"ThreadingModel"="Apartment"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{6B1E4F22-8C3A-4D7E-9A52-1F0C3B7D2E41}]
@="IHollowmereThumbnail"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{6B1E4F22-8C3A-4D7E-9A52-1F0C3B7D2E41}\ProxyStubClsid32]
@="{00020424-0000-0000-C000-000000000046}"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{6B1E4F22-8C3A-4D7E-9A52-1F0C3B7D2E41}\TypeLib]
@="{6B1E4F23-8C3A-4D7E-9A52-1F0C3B7D2E41}"
"Version"="1.0"

[HKEY_CURRENT_USER\Software\Hollowmere Software\PhotoDesk]
"LastExportFolder"="C:\\users\\@USER@\\Pictures\\PhotoDesk Exports"
"PluginFolder"="C:\\Apps\\Hollowmere\\PhotoDesk\\Plugins"
"Language"="en"

[HKEY_CURRENT_USER\Software\Hollowmere Software\PhotoDesk\Recent]
"File1"="C:\\users\\@USER@\\Documents\\Old Photos\\harbour.hmpd"
"File2"="C:\\users\\@USER@\\Documents\\Old Photos\\lighthouse.hmpd"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.hmpd\OpenWithList]

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\HollowmerePhotoDesk]
@="Hollowmere PhotoDesk"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\HollowmerePhotoDesk\ExportDone\.Current]
@="C:\\Apps\\Hollowmere\\PhotoDesk\\Sounds\\done.wav"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\HollowmerePhotoDesk\ExportDone\.Default]
@="C:\\Apps\\Hollowmere\\PhotoDesk\\Sounds\\done.wav"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\MenuOrder\Start Menu2\Programs\Hollowmere PhotoDesk]
"Order"=hex:08,00,00,00,02,00,00,00,00,00,00,00,00,00,00,00

; ---- Emberline Tactics (Orrery Forge): removed; the saved games stayed ----

[HKEY_LOCAL_MACHINE\Software\Orrery Forge\Emberline Tactics]

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\emberline.exe]
@="\"C:\\Games\\Emberline Tactics\\emberline.exe\""

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Emberline Tactics_is1]
"DisplayName"="Emberline Tactics"
"Publisher"="Orrery Forge"
"InstallLocation"="C:\\Games\\Emberline Tactics\\"
"UninstallString"="\"C:\\Games\\Emberline Tactics\\unins000.exe\""
"QuietUninstallString"="\"C:\\Games\\Emberline Tactics\\unins000.exe\" /SILENT"
"DisplayIcon"="C:\\Games\\Emberline Tactics\\emberline.exe"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Emberline Tactics Demo]
"DisplayName"="Emberline Tactics Demo"
"NoRemove"=dword:00000001

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDlls]
"C:\\Games\\Emberline Tactics\\emberaudio.dll"=dword:00000001

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\Help]
"emberline.hlp"="C:\\Games\\Emberline Tactics"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Emberline Runes (TrueType)"="C:\\Games\\Emberline Tactics\\Fonts\\runes.ttf"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"EmberlineLauncher"="\"\""

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\emberguard]
"Type"=dword:00000001
"Start"=dword:00000004
"ErrorControl"=dword:00000001
"ImagePath"="C:\\Games\\Emberline Tactics\\AntiCheat\\emberguard.sys"
"DisplayName"="Emberline Guard"

[HKEY_LOCAL_MACHINE\Software\Classes\.emsave]
@="Emberline.SaveGame"

[HKEY_LOCAL_MACHINE\Software\Classes\Emberline.SaveGame\DefaultIcon]
@="C:\\Games\\Emberline Tactics\\emberline.exe,1"

[HKEY_LOCAL_MACHINE\Software\Classes\Applications\emberline.exe\shell\open\command]

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{A7C3D9E2-51B6-4F0D-8E27-6C9A1D3B5F80}]
@="Emberline Tactics Game Provider"

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{A7C3D9E2-51B6-4F0D-8E27-6C9A1D3B5F80}\LocalServer32]
@="\"C:\\Games\\Emberline Tactics\\emberline.exe\" /automation"

[HKEY_LOCAL_MACHINE\Software\Classes\TypeLib\{A7C3D9E3-51B6-4F0D-8E27-6C9A1D3B5F80}\1.0]
@="Emberline Script Library"

[HKEY_LOCAL_MACHINE\Software\Classes\TypeLib\{A7C3D9E3-51B6-4F0D-8E27-6C9A1D3B5F80}\1.0\0\win32]
@="C:\\Games\\Emberline Tactics\\emberscript.dll"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{A7C3D9E4-51B6-4F0D-8E27-6C9A1D3B5F80}]
@="IEmberlineScript"

[HKEY_LOCAL_MACHINE\Software\Classes\Interface\{A7C3D9E4-51B6-4F0D-8E27-6C9A1D3B5F80}\TypeLib]
@="{A7C3D9E3-51B6-4F0D-8E27-6C9A1D3B5F80}"
"Version"="1.0"

[HKEY_CURRENT_USER\Software\Orrery Forge\Emberline Tactics\Profiles]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.emsave]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU]
"a"="C:\\Games\\Emberline Tactics\\emberline.exe\\1"
"b"="notepad\\1"
"MRUList"="ab"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\EmberlineTactics]
@="Emberline Tactics"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\EmberlineTactics\LevelUp\.Current]
@="C:\\Games\\Emberline Tactics\\Sounds\\levelup.wav"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\MenuOrder\Start Menu2\Programs\Orrery Forge]
"Order"=hex:08,00,00,00,02,00,00,00,00,00,00,00,00,00,00,00

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\MenuOrder\Start Menu\Programs\Emberline Tactics]
"Order"=hex:08,00,00,00,02,00,00,00,00,00,00,00,00,00,00,00

; ---- Tinplate Sync: a per-user program in the application data, removed ----

[HKEY_LOCAL_MACHINE\Software\Tinplate Systems]

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\tpsync.exe]
@="C:\\users\\@USER@\\AppData\\Local\\Tinplate\\Sync\\tpsync.exe"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Management\ARPCache\TinplateSync]
"Changed"=dword:00000000
"SlowInfoCache"=hex:28,02,00,00,00,00,00,00

[HKEY_CURRENT_USER\Software\Tinplate Systems\Sync]
"SyncFolder"="C:\\users\\@USER@\\Tinplate Sync"
"CacheFolder"="C:\\users\\@USER@\\AppData\\Local\\Tinplate\\Sync\\Cache"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]
"TinplateSync"="\"C:\\users\\@USER@\\AppData\\Local\\Tinplate\\Sync\\tpsync.exe\" --minimized"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\MenuOrder\Start Menu2\Programs\Tinplate Sync]
"Order"=hex:08,00,00,00,02,00,00,00,00,00,00,00,00,00,00,00

; ---- Pennyroyal Disk Tidy: removed, its service and tray entry stayed ----

[HKEY_LOCAL_MACHINE\Software\Pennyroyal Utilities\Disk Tidy]
"InstallPath"="C:\\Apps\\Pennyroyal\\DiskTidy\\"
"LogFile"="C:\\ProgramData\\Pennyroyal\\tidy.log"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\PennyroyalDiskTidyHelper]
"DisplayName"="Pennyroyal Disk Tidy Helper"
"SystemComponent"=dword:00000001

[HKEY_LOCAL_MACHINE\Software\Microsoft\Shared Tools\MSConfig\startupreg\PennyroyalTray]
"key"="SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"
"item"="tidytray"
"hkey"="HKLM"
"command"="C:\\Apps\\Pennyroyal\\DiskTidy\\tidytray.exe"
"inimapping"="0"

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\PennyroyalTidySvc]
"Type"=dword:00000010
"Start"=dword:00000004
"ErrorControl"=dword:00000001
"ImagePath"="C:\\Apps\\Pennyroyal\\DiskTidy\\tidysvc.exe"
"DisplayName"="Pennyroyal Disk Tidy Service"
"ObjectName"="LocalSystem"

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{C5E81B37-2A64-4F93-8D0E-93B7A4C61F25}]
@="Pennyroyal Tidy Scheduler"
"AppID"="{C5E81B38-2A64-4F93-8D0E-93B7A4C61F25}"

[HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{C5E81B37-2A64-4F93-8D0E-93B7A4C61F25}\LocalServer32]
@="C:\\Apps\\Pennyroyal\\DiskTidy\\tidysched.exe"

; ---- The Glasswing sound theme: removed, the scheme still names its sounds ----

[HKEY_CURRENT_USER\Software\Glasswing Themes]

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\SystemAsterisk\.Current]
@="C:\\Apps\\Glasswing Themes\\Sounds\\asterisk.wav"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\SystemExclamation\.Current]
@="C:\\Apps\\Glasswing Themes\\Sounds\\exclamation.wav"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\MailBeep\.Current]
@=""

; ---- The open and save dialogs' recent files ----

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU]
"a"="C:\\users\\@USER@\\Documents\\Old Photos\\harbour"
"b"="C:\\users\\@USER@\\Documents\\Notebooks\\shopping"
"MRUList"="ba"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\*]
"a"="C:\\users\\@USER@\\Documents\\Old Photos\\harbour.hmpd"
"b"="C:\\users\\@USER@\\Documents\\Notebooks\\recipes.qfn"
"c"="C:\\users\\@USER@\\Documents\\Birthdays.tdcal"
"MRUList"="cba"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\hmpd]
"a"="C:\\users\\@USER@\\Documents\\Old Photos\\harbour.hmpd"
"b"="C:\\users\\@USER@\\Documents\\Old Photos\\lighthouse.hmpd"
"MRUList"="ba"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU\qfn]
"a"="C:\\users\\@USER@\\Documents\\Notebooks\\shopping.qfn"
"b"="C:\\users\\@USER@\\Documents\\Notebooks\\recipes.qfn"
"MRUList"="ab"
EOF
}
