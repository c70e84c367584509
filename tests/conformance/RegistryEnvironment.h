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

// Writes string data in UTF-16, as a program with wide texts stores it, to a key below
// HKEY_CURRENT_USER that is made when missing: natively planted in the stand-in, under Wine by
// the wide registry functions.
void PutUtf16Value(RegistryStore& registry, const std::string& path, const std::string& name,
                   std::uint32_t type, const std::u16string& data);

// Imports a registry export file as the system's registry editor does: natively read from the
// environment's files and applied to the stand-in, under Wine by running "regedit /s". Raises
// std::runtime_error when the import cannot be run.
void ImportRegFile(RegistryStore& registry, FileSystemEnvironment& files, const std::string& path);

// The whole registry as text that changes when any key or value does: natively a listing of
// the stand-in, under Wine the export of "regedit /e" into the scratch folder.
std::string ExportRegistry(RegistryStore& registry, FileSystemEnvironment& files);

}  // namespace kelvane
