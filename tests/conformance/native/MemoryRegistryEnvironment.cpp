#include "platform/RegFile.h"
#include "platform/memory/MemoryRegistry.h"
#include "tests/conformance/RegistryEnvironment.h"

namespace kelvane {

std::unique_ptr<RegistryStore> MakeConformanceRegistry() {
  return std::make_unique<MemoryRegistry>();
}

void ImportRegFile(RegistryStore& registry, FileSystemEnvironment& files, const std::string& path) {
  ApplyRegFile(registry, ParseRegFile(files.ReadBytes(path)));
}

}  // namespace kelvane
