// The words the program uses for a backup folder that is not there.
#pragma once

#include <string>

#include "global/Localization.h"

namespace kelvane {

// "<folder>,The backup directory does not exist."
std::string MissingBackupFolderText(const Language& language, const std::string& folder);

}  // namespace kelvane
