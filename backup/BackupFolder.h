// What the program says of a backup folder that is not there, or that others can write to.
#pragma once

#include <optional>
#include <string>

#include "global/Localization.h"
#include "platform/FileSystemAccess.h"

namespace kelvane {

// "<folder>,The backup directory does not exist."
std::string MissingBackupFolderText(const Language& language, const std::string& folder);

// Said where the folder is chosen and where its backups are listed when users who are not
// administrators could place files there for an administrator to import.
std::optional<std::string> OpenBackupFolderWarning(const Language& language,
                                                   FileSystemAccess& files,
                                                   const std::string& folder);

}  // namespace kelvane
