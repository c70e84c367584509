// Every rule a scan category finds rows by: its stable id, its class and the sentence that
// explains a row it found. The README's table of rules lists the same ids.
#pragma once

#include <vector>

#include "scan/ProblemRecord.h"

namespace kelvane {

enum class Rule {
  FileReference,
  AppPathFile,
  EmptySoftwareKey,
  OpenWithCommandFile,
  OpenWithCommandEmpty,
  FontFile,
  HelpFile,
  SharedDllFile,
  SharedDllUnused,
  RunCommandFile,
  RunCommandEmpty,
  DisabledStartupFile,
  UninstallCommandMissing,
  UninstallerFile,
  InstallerFolder,
  AddRemoveCacheOrphan,
  EmptyClassKey,
  EmptyFileExtension,
  ClassServerFile,
  InterfaceTypeLib,
  TypeLibFile,
  ClassAppId,
  ServiceImage,
  MenuOrderFolder,
  ShortcutTarget,
  SoundFile,
  RecentFile,
  UserAssistNeverRun,
  UserAssistFile,
};

// The sentence that explains a row: its key among the language file's messages and its English
// text, where "%1" stands for what was tested.
struct Reason {
  const char* key;
  const char* english;
};

struct RuleInfo {
  Rule rule;
  const char* id;
  // A rule's own class; a certain rule's row is still review when the evidence for its path is
  // not direct (see the file reference check).
  Certainty certainty;
  Reason reason;
};

// What any rule says of a path on a floppy drive without a medium.
constexpr Reason kEmptyDriveReason{"RES_Reason_Empty_Drive",
                                   "The drive of \"%1\" holds no medium."};

const RuleInfo& InfoOf(Rule rule);
const std::vector<RuleInfo>& AllRules();

}  // namespace kelvane
