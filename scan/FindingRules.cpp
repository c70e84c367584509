#include "scan/FindingRules.h"

namespace kelvane {
namespace {

constexpr Certainty kCertain = Certainty::Certain;
constexpr Certainty kReview = Certainty::Review;

constexpr Reason kMissingFile{"RES_Reason_Missing_File", "The file \"%1\" does not exist."};
constexpr Reason kMissingFileOrFolder{"RES_Reason_Missing_File_Or_Folder",
                                      "Neither a file nor a folder \"%1\" exists."};
constexpr Reason kEmptyKey{"RES_Reason_Empty_Key", "The key holds no values and no subkeys."};
constexpr Reason kEmptyCommand{"RES_Reason_Empty_Command", "The command line is empty."};

const std::vector<RuleInfo> kRules = {
    {Rule::FileReference, "file-reference", kCertain, kMissingFileOrFolder},
    {Rule::AppPathFile, "app-path-file", kCertain, kMissingFile},
    {Rule::EmptySoftwareKey, "empty-software-key", kReview, kEmptyKey},
    {Rule::OpenWithCommandFile, "open-with-command-file", kCertain, kMissingFile},
    // A verb may run through a handler registered beside its command, with the command empty.
    {Rule::OpenWithCommandEmpty, "open-with-command-empty", kReview, kEmptyCommand},
    {Rule::FontFile, "font-file", kCertain, kMissingFile},
    {Rule::HelpFile, "help-file", kCertain, kMissingFile},
    {Rule::SharedDllFile, "shared-dll-file", kCertain, kMissingFile},
    {Rule::SharedDllUnused, "shared-dll-unused", kReview, {"RES_Reason_Unused_Library", "No program is counted as using the library \"%1\"."}},
    {Rule::RunCommandFile, "run-command-file", kCertain, kMissingFile},
    {Rule::RunCommandEmpty, "run-command-empty", kCertain, kEmptyCommand},
    {Rule::DisabledStartupFile, "disabled-startup-file", kCertain, kMissingFile},
    {Rule::UninstallCommandMissing, "uninstall-command-missing", kReview,
     {"RES_Reason_No_Uninstall_Command", "The entry has no uninstall command."}},
    {Rule::UninstallerFile, "uninstaller-file", kReview, kMissingFile},
    {Rule::InstallerFolder, "installer-folder", kReview, kMissingFileOrFolder},
    {Rule::AddRemoveCacheOrphan, "add-remove-cache-orphan", kReview, {"RES_Reason_Orphan_Cache", "No uninstall entry \"%1\" is registered."}},
    {Rule::EmptyClassKey, "empty-class-key", kReview, {"RES_Reason_Empty_Class", "The key holds no data and no subkeys."}},
    {Rule::EmptyFileExtension, "empty-file-extension", kReview, kEmptyKey},
    {Rule::ClassServerFile, "class-server-file", kCertain, kMissingFile},
    {Rule::InterfaceTypeLib, "interface-type-library", kReview, {"RES_Reason_Unregistered_TypeLib", "The type library \"%1\" is not registered."}},
    {Rule::TypeLibFile, "type-library-file", kCertain, kMissingFile},
    {Rule::ClassAppId, "class-app-id", kReview, {"RES_Reason_Unregistered_AppId", "The AppID \"%1\" is not registered."}},
    {Rule::ServiceImage, "service-image", kReview, kMissingFileOrFolder},
    {Rule::MenuOrderFolder, "menu-order-folder", kCertain, {"RES_Reason_Missing_Menu_Folder", "The Programs menu has no folder \"%1\"."}},
    {Rule::ShortcutTarget, "shortcut-target", kCertain, {"RES_Reason_Missing_Target", "The shortcut's target \"%1\" does not exist."}},
    {Rule::SoundFile, "sound-file", kCertain, kMissingFile},
    {Rule::RecentFile, "recent-file", kCertain, kMissingFileOrFolder},
    {Rule::UserAssistNeverRun, "user-assist-never-run", kReview, {"RES_Reason_Never_Run", "The program \"%1\" is recorded as never run."}},
    {Rule::UserAssistFile, "user-assist-file", kCertain, kMissingFileOrFolder},
};

}  // namespace

const RuleInfo& InfoOf(Rule rule) {
  for (const RuleInfo& info : kRules) {
    if (info.rule == rule) return info;
  }
  return kRules.front();
}

const std::vector<RuleInfo>& AllRules() { return kRules; }

}  // namespace kelvane
