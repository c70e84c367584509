#include "backup/BackupFolder.h"

namespace kelvane {

std::string MissingBackupFolderText(const Language& language, const std::string& folder) {
  return folder + "," +
         language.LangString("RES_Directory_Not_Exist", "The backup directory does not exist.");
}

}  // namespace kelvane
