#include "global/ScanCategory.h"

namespace kelvane {

const char* CategoryId(ScanCategory category) {
  switch (category) {
    case ScanCategory::AllCategories: return "all";
    case ScanCategory::FilesAndFolders: return "files-and-folders";
    case ScanCategory::FilesAndFoldersLocalMachine: return "files-and-folders-local-machine";
    case ScanCategory::FilesAndFoldersCurrentUser: return "files-and-folders-current-user";
    case ScanCategory::FilesAndFoldersUsers: return "files-and-folders-users";
    case ScanCategory::SoftwareLocations: return "software-locations";
    case ScanCategory::WindowsFonts: return "windows-fonts";
    case ScanCategory::HelpFiles: return "help-files";
    case ScanCategory::SharedDlls: return "shared-dlls";
    case ScanCategory::StartupPrograms: return "startup-programs";
    case ScanCategory::AddRemovePrograms: return "add-remove-programs";
    case ScanCategory::FileExtensions: return "file-extensions";
    case ScanCategory::CustomControls: return "custom-controls";
    case ScanCategory::ObsoleteSoftware: return "obsolete-software";
    case ScanCategory::WindowsServices: return "windows-services";
    case ScanCategory::StartMenu: return "start-menu";
    case ScanCategory::Shortcuts: return "shortcuts";
    case ScanCategory::SoundEvents: return "sound-events";
    case ScanCategory::ActiveX: return "activex";
    case ScanCategory::MruLists: return "mru-lists";
    case ScanCategory::Installer: return "installer";
    case ScanCategory::Applications: return "applications";
    case ScanCategory::EmptyKeysUsers: return "empty-keys-users";
  }
  return "unknown";
}

}  // namespace kelvane
