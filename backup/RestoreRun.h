// Restoring a backup file: a file the program did not write, or that changed since, is imported
// only after the user saw what it changes and said Yes; the registry editor imports it behind
// the process progress window, then the file is read back and everything it holds is looked
// for in the registry. The user is told how it went either way.
#pragma once

#include <string>

#include "editor/EditorCommands.h"

namespace kelvane {

enum class RestoreOutcome {
  NotImported,  // the editor could not be started or the user stopped it
  Incomplete,   // the user was told what is missing, or that the file could not be checked
  Complete,     // and the file is kept
  CompleteAndDeleted,
};

// A complete restore deletes the file, and the program's record of it, only when asked to and
// when the file is the program's own, unchanged.
RestoreOutcome RestoreBackupFile(EditorContext& context, EditorPrompts& prompts,
                                 const std::string& file, bool deleteWhenComplete);

// Asked before the Delete button deletes a file.
std::string DeleteBackupQuestion(const Language& language, const std::string& fileName);

// Deletes the file and the program's record of it; false when the file stays.
bool DeleteBackupFile(EditorContext& context, const std::string& file);

}  // namespace kelvane
