#include "backup/BackupFolder.h"

namespace kelvane {

std::string MissingBackupFolderText(const Language& language, const std::string& folder) {
  return folder + "," +
         language.LangString("RES_Directory_Not_Exist", "The backup directory does not exist.");
}

std::optional<std::string> OpenBackupFolderWarning(const Language& language,
                                                   FileSystemAccess& files,
                                                   const std::string& folder) {
  if (!files.IsWritableByOthers(folder)) return std::nullopt;
  return folder + "\r\n" +
         language.LangString("RES_Folder_Open_To_Others",
                             "Users who are not administrators can place files in this backup "
                             "folder. The restore window marks every file the program did not "
                             "write; restore only your own backups.");
}

}  // namespace kelvane
