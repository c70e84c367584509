// Whether an import of a backup file brought everything back: the file is read back and every
// key and value it gives the registry is looked for, exactly, in the registry the program
// reads. The registry editor's exit code says nothing, so only this makes a restore count.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "platform/RegFile.h"
#include "platform/RegistryStore.h"

namespace kelvane {

struct ImportCheck {
  // The keys and values the file leaves in the registry once imported that are not there
  // exactly, in file order: "[key]" for a key, "[key] \"name\"" or "[key] @" for a value. A later
  // line for the same value counts instead of an earlier one, and what a later removal line
  // takes away is not looked for.
  std::vector<std::string> missing;
  // How many keys and values were looked for.
  std::size_t checked = 0;

  bool Complete() const { return missing.empty(); }
};

// Returns early, with what it found so far, once stop is set.
ImportCheck CheckImport(RegistryStore& registry, const RegFile& file,
                        const std::atomic<bool>& stop);

// Whether the registry holds what an import of the file's value gives. Wine's registry editor
// ends string data (types 1, 2 and 7) that has no closing NUL with one; that one byte more
// counts as restored.
bool ImportGaveBack(const RawValue& inFile, const RawValue& inRegistry);

// For the user, who keeps the file: how many entries did not come back and the first few of
// them, a long one by its two ends; or that the file does not read back, with the reader's
// reason when there is one.
std::string IncompleteImportMessage(const Language& language, const ImportCheck& check);
std::string UncheckedImportMessage(const Language& language, const std::string& reason);
// That every entry came back, how many, and whether the file was deleted or kept.
std::string CompleteImportMessage(const Language& language, const ImportCheck& check,
                                  bool fileDeleted);

// Asked before a file the program did not write, or that changed since, is imported: what the
// import deletes from the registry, line by line, and what it writes, counted with the first
// few; ends with the question whether to import it.
std::string ForeignImportQuestion(const Language& language, bool changedSinceWritten,
                                  const RegFile& file);

}  // namespace kelvane
