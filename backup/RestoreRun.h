// Restoring a backup file: the registry editor imports it behind the process progress window,
// then the file is read back and everything it holds is looked for in the registry. Only a
// restore found complete lets the caller delete the file.
#pragma once

#include <string>

#include "editor/EditorCommands.h"

namespace kelvane {

enum class RestoreOutcome {
  NotImported,  // the editor could not be started or the user stopped it
  Incomplete,   // the user was told what is missing, or that the file could not be checked
  Complete,
};

RestoreOutcome RestoreBackupFile(EditorContext& context, EditorPrompts& prompts,
                                 const std::string& file);

}  // namespace kelvane
