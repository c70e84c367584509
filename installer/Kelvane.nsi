; The setup program and its uninstaller. scripts/package compiles it with
;   makensis -DVERSION=x.y.z -DPROGRAM_DIR=<folder with the program's files> -DOUTFILE=<setup>
; PROGRAM_DIR absolute, as makensis works in this folder. Silent with /S; /D= sets the folder;
; /DESKTOP asks for the desktop shortcut as well; /SCHEDULE=daily|weekly|monthly for the
; scheduled audit, with /AUDITDIR=folder and /KEEP=N (the reports kept, 8 by default).

!ifndef VERSION | PROGRAM_DIR | OUTFILE
  !error "VERSION, PROGRAM_DIR and OUTFILE must be defined (-DVERSION=... and so on)"
!endif

Unicode true
SetCompressor /SOLID lzma

!define PRODUCT "Tessaly Kelvane"
!define PUBLISHER "Tessaly Software"
; A 32-bit setup reads and writes the 32-bit view of the registry, where the program, itself
; 32-bit, looks for its uninstall entry too.
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "${PRODUCT}.lnk"
; The program's main window, to tell whether it runs.
!define MAIN_WINDOW_CLASS "Tessaly Kelvane Made by Tessaly Software"
; The scheduled audit: a Task Scheduler task that writes a dated report and keeps the newest.
!define AUDIT_TASK "Tessaly Kelvane audit"
!define AUDIT_TASK_FILE "audit-task.xml"

Var AuditFolder
Var AuditSchedule
Var AuditKeep

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\${PRODUCT}"
; An upgrade goes into the folder of the version installed.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2006-2010 ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "../resources/Kelvane.ico"
!define MUI_UNICON "../resources/Kelvane.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_UNCOMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kelvane.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
; The audit's folder, asked only when the audit is ticked.
!define MUI_PAGE_CUSTOMFUNCTION_PRE AuditFolderPagePre
!define MUI_DIRECTORYPAGE_VARIABLE $AuditFolder
!define MUI_DIRECTORYPAGE_TEXT_TOP "$(AuditFolderText)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(UnUserFilesText)"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString SecProgramName ${LANG_ENGLISH} "${PRODUCT}"
LangString SecProgramName ${LANG_GERMAN} "${PRODUCT}"
LangString SecDesktopName ${LANG_ENGLISH} "Desktop shortcut"
LangString SecDesktopName ${LANG_GERMAN} "Verknüpfung auf dem Desktop"
LangString UnSecUserFilesName ${LANG_ENGLISH} "Settings and registry backups too"
LangString UnSecUserFilesName ${LANG_GERMAN} "Auch Einstellungen und Registry-Sicherungen"
LangString UnUserFilesText ${LANG_ENGLISH} "Your settings (options.ini) and the registry backups \
  in the Backup folder stay unless you tick the box. A backup is the only way back from a repair."
LangString UnUserFilesText ${LANG_GERMAN} "Ihre Einstellungen (options.ini) und die Registry-Sicherungen \
  im Ordner Backup bleiben erhalten, außer Sie kreuzen das Kästchen an. Nur mit einer Sicherung \
  lässt sich eine Reparatur rückgängig machen."
LangString SecAuditName ${LANG_ENGLISH} "Weekly registry audit (a report, nothing repaired)"
LangString SecAuditName ${LANG_GERMAN} "Wöchentliche Registry-Prüfung (ein Bericht, keine Reparatur)"
LangString AuditFolderText ${LANG_ENGLISH} "The scheduled audit writes a dated report (JSON Lines) \
  into this folder and keeps the newest $AuditKeep."
LangString AuditFolderText ${LANG_GERMAN} "Die geplante Prüfung schreibt einen datierten Bericht \
  (JSON Lines) in diesen Ordner und behält die neuesten $AuditKeep."
LangString AuditFailed ${LANG_ENGLISH} "The scheduled audit could not be set up."
LangString AuditFailed ${LANG_GERMAN} "Die geplante Prüfung ließ sich nicht einrichten."
LangString Running ${LANG_ENGLISH} "${PRODUCT} is running. Close it, then try again."
LangString Running ${LANG_GERMAN} "${PRODUCT} läuft noch. Bitte beenden Sie es und versuchen Sie es erneut."
LangString NotAdmin ${LANG_ENGLISH} "Installing ${PRODUCT} needs an administrator account."
LangString NotAdmin ${LANG_GERMAN} "Die Installation von ${PRODUCT} erfordert ein Administratorkonto."

; !macro so that the installer and the uninstaller each get their own copy.
!macro RefuseWhileRunning
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 <> 0
    MessageBox MB_OK|MB_ICONSTOP "$(Running)" /SD IDOK
    Abort
  ${EndIf}
!macroend

Section "!$(SecProgramName)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}/Kelvane.exe"
  File "${PROGRAM_DIR}/Lan_English.ini"
  File "${PROGRAM_DIR}/Lan_German.ini"
  File "${PROGRAM_DIR}/Lan_French.ini"
  File "${PROGRAM_DIR}/Lan_Spanish.ini"
  File "${PROGRAM_DIR}/Lan_Italian.ini"
  File "${PROGRAM_DIR}/Lan_BrazilianPortuguese.ini"
  File "${PROGRAM_DIR}/Lan_Nederlands.ini"
  File "${PROGRAM_DIR}/Lan_Polish.ini"
  File "${PROGRAM_DIR}/Lan_Turkish.ini"
  File "${PROGRAM_DIR}/Lan_Russian.ini"
  File "${PROGRAM_DIR}/Lan_Chinese.ini"
  File "${PROGRAM_DIR}/Lan_Japanese.ini"
  File "${PROGRAM_DIR}/Kelvane.html"
  ; The program's default backup folder: a repair needs it. options.ini and the backups in it
  ; are the user's and an upgrade leaves them as they are.
  CreateDirectory "$INSTDIR\Backup"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\Kelvane.exe" "" "$INSTDIR\Kelvane.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kelvane.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SecDesktopName)" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\Kelvane.exe" "" "$INSTDIR\Kelvane.exe" 0
  ; The uninstaller removes a desktop shortcut only when the setup made it.
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "DesktopShortcut" 1
SectionEnd

; The task's definition as Task Scheduler 1.2 reads it, UTF-16 with its byte-order mark. It
; runs as the system account, with the program's own options.ini saying what is scanned.
Function WriteAuditTask
  FileOpen $0 "$INSTDIR\${AUDIT_TASK_FILE}" w
  FileWriteWord $0 0xFEFF
  FileWriteUTF16LE $0 '<?xml version="1.0" encoding="UTF-16"?>$\r$\n'
  FileWriteUTF16LE $0 '<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">$\r$\n'
  FileWriteUTF16LE $0 '  <RegistrationInfo><Author>${PRODUCT}</Author><Description>$(SecAuditName)</Description></RegistrationInfo>$\r$\n'
  FileWriteUTF16LE $0 '  <Triggers><CalendarTrigger><StartBoundary>2026-01-05T03:00:00</StartBoundary>'
  ${If} $AuditSchedule == "daily"
    FileWriteUTF16LE $0 '<ScheduleByDay><DaysInterval>1</DaysInterval></ScheduleByDay>'
  ${ElseIf} $AuditSchedule == "monthly"
    FileWriteUTF16LE $0 '<ScheduleByMonth><DaysOfMonth><Day>1</Day></DaysOfMonth><Months><January/><February/><March/><April/><May/><June/><July/><August/><September/><October/><November/><December/></Months></ScheduleByMonth>'
  ${Else}
    FileWriteUTF16LE $0 '<ScheduleByWeek><WeeksInterval>1</WeeksInterval><DaysOfWeek><Monday/></DaysOfWeek></ScheduleByWeek>'
  ${EndIf}
  FileWriteUTF16LE $0 '</CalendarTrigger></Triggers>$\r$\n'
  FileWriteUTF16LE $0 '  <Principals><Principal id="Author"><UserId>S-1-5-18</UserId><RunLevel>HighestAvailable</RunLevel></Principal></Principals>$\r$\n'
  FileWriteUTF16LE $0 '  <Settings><StartWhenAvailable>true</StartWhenAvailable><DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries><ExecutionTimeLimit>PT2H</ExecutionTimeLimit></Settings>$\r$\n'
  FileWriteUTF16LE $0 '  <Actions Context="Author"><Exec><Command>"$INSTDIR\Kelvane.exe"</Command><Arguments>-report "$AuditFolder\audit-*.jsonl" -keep $AuditKeep</Arguments></Exec></Actions>$\r$\n'
  FileWriteUTF16LE $0 '</Task>$\r$\n'
  FileClose $0
FunctionEnd

Section /o "$(SecAuditName)" SecAudit
  CreateDirectory "$AuditFolder"
  Call WriteAuditTask
  nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /Create /TN "${AUDIT_TASK}" /XML "$INSTDIR\${AUDIT_TASK_FILE}" /F'
  Pop $0
  ${If} $0 == 0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "AuditTask" 1
  ${Else}
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(AuditFailed)" /SD IDOK
  ${EndIf}
SectionEnd

Function AuditFolderPagePre
  ${IfNot} ${SectionIsSelected} ${SecAudit}
    Abort
  ${EndIf}
FunctionEnd

; An upgrade without the desktop shortcut takes away the one an earlier setup made.
Section "-"
  ${IfNot} ${SectionIsSelected} ${SecDesktop}
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "DesktopShortcut"
    ${If} $0 = 1
      Delete "$DESKTOP\${SHORTCUT}"
      DeleteRegValue HKLM "${UNINSTALL_KEY}" "DesktopShortcut"
    ${EndIf}
  ${EndIf}
SectionEnd

Function .onInit
  ; Windows without elevation (XP) runs it as whoever started it.
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NotAdmin)" /SD IDOK
    Abort
  ${EndIf}
  !insertmacro RefuseWhileRunning
  ; The shortcuts are for every user of the machine.
  SetShellVarContext all
  ; An upgrade offers the desktop shortcut when the version installed has one.
  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "DesktopShortcut"
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/DESKTOP" $2
  ${If} $0 = 1
  ${OrIfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
  ; All users' application data, as the shell context is all users.
  StrCpy $AuditFolder "$APPDATA\${PRODUCT}\Audits"
  StrCpy $AuditSchedule "weekly"
  StrCpy $AuditKeep "8"
  ClearErrors
  ${GetOptions} $1 "/SCHEDULE=" $2
  ${IfNot} ${Errors}
    StrCpy $AuditSchedule $2
    !insertmacro SelectSection ${SecAudit}
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/AUDITDIR=" $2
  ${IfNot} ${Errors}
    StrCpy $AuditFolder $2
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/KEEP=" $2
  ${IfNot} ${Errors}
    IntOp $AuditKeep $2 + 0
    ${If} $AuditKeep < 1
      StrCpy $AuditKeep "8"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
  SetShellVarContext all
FunctionEnd

; The uninstaller removes only what the setup put there, by name: the user's settings and
; backups stay unless asked for, and the folders go only when nothing else is left in them.
Section "-un.Program"
  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "AuditTask"
  ${If} $0 = 1
    nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /Delete /TN "${AUDIT_TASK}" /F'
    Pop $0
  ${EndIf}
  Delete "$INSTDIR\${AUDIT_TASK_FILE}"
  Delete "$INSTDIR\Kelvane.exe"
  Delete "$INSTDIR\Lan_English.ini"
  Delete "$INSTDIR\Lan_German.ini"
  Delete "$INSTDIR\Lan_French.ini"
  Delete "$INSTDIR\Lan_Spanish.ini"
  Delete "$INSTDIR\Lan_Italian.ini"
  Delete "$INSTDIR\Lan_BrazilianPortuguese.ini"
  Delete "$INSTDIR\Lan_Nederlands.ini"
  Delete "$INSTDIR\Lan_Polish.ini"
  Delete "$INSTDIR\Lan_Turkish.ini"
  Delete "$INSTDIR\Lan_Russian.ini"
  Delete "$INSTDIR\Lan_Chinese.ini"
  Delete "$INSTDIR\Lan_Japanese.ini"
  Delete "$INSTDIR\Kelvane.html"
  Delete "$SMPROGRAMS\${SHORTCUT}"
  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "DesktopShortcut"
  ${If} $0 = 1
    Delete "$DESKTOP\${SHORTCUT}"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
SectionEnd

; Unticked, and so left out of a silent uninstall: a backup is the only way back from a repair.
Section /o "un.$(UnSecUserFilesName)" UnSecUserFiles
  Delete "$INSTDIR\options.ini"
  ; The names the program gives its backups, and its record of each, by which the restore
  ; window knows a file as its own; records of backups in other folders stay.
  FindFirst $0 $1 "$INSTDIR\Backup\Backup??????????????.reg"
  ${DoWhile} $1 != ""
    DeleteRegKey HKLM "Software\Tessaly\Kelvane\Backups\$1"
    FindNext $0 $1
  ${Loop}
  FindClose $0
  DeleteRegKey /ifempty HKLM "Software\Tessaly\Kelvane\Backups"
  DeleteRegKey /ifempty HKLM "Software\Tessaly\Kelvane"
  DeleteRegKey /ifempty HKLM "Software\Tessaly"
  Delete "$INSTDIR\Backup\Backup??????????????.reg"
SectionEnd

Section "-un.Folders"
  RMDir "$INSTDIR\Backup"
  RMDir "$INSTDIR"
SectionEnd
