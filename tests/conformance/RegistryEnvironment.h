// Where the registry conformance tests run: the in-memory stand-in natively, the live registry
// under Wine. Tests work only below the scratch key of HKEY_CURRENT_USER.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/RegistryStore.h"
#include "tests/conformance/FileSystemEnvironment.h"

namespace kelvane {

constexpr char kConformanceScratchKey[] = "Software\\KelvaneConformance";

std::unique_ptr<RegistryStore> MakeConformanceRegistry();

// The registry of 64-bit Windows as a 32-bit program sees it: natively the stand-in made so,
// under Wine the live registry of a 64-bit prefix; none in a 32-bit prefix.
std::unique_ptr<RegistryStore> MakeWow64ConformanceRegistry();

// Writes string data in UTF-16, as a program with wide texts stores it, to a key below
// HKEY_CURRENT_USER that is made when missing: natively planted in the stand-in, under Wine by
// the wide registry functions.
void PutUtf16Value(RegistryStore& registry, const std::string& path, const std::string& name,
                   std::uint32_t type, const std::u16string& data);

// Makes a link at path to the key at targetPath, both below HKEY_CURRENT_USER, the link's
// parent already there: natively in the stand-in, under Wine as a program makes one, volatile so
// that a run that stops half-way leaves none behind.
void MakeRegistryLink(RegistryStore& registry, const std::string& path,
                      const std::string& targetPath);
// Removes the link itself, leaving its target; nothing when there is none.
void RemoveRegistryLink(RegistryStore& registry, const std::string& path);

// Imports a registry export file as the system's registry editor does: natively read from the
// environment's files and applied to the stand-in, under Wine by running "regedit /s". Raises
// std::runtime_error when the import cannot be run.
void ImportRegFile(RegistryStore& registry, FileSystemEnvironment& files, const std::string& path);

// The whole registry as text that changes when any key or value does: natively a listing of
// the stand-in, under Wine the export of "regedit /e" into the scratch folder.
std::string ExportRegistry(RegistryStore& registry, FileSystemEnvironment& files);

}  // namespace kelvane
