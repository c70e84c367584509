#include "platform/RegFile.h"
#include "platform/memory/MemoryRegistry.h"
#include "tests/conformance/RegistryEnvironment.h"
#include "tests/support/RegistrySnapshot.h"

namespace kelvane {

std::unique_ptr<RegistryStore> MakeConformanceRegistry() {
  return std::make_unique<MemoryRegistry>();
}

std::unique_ptr<RegistryStore> MakeWow64ConformanceRegistry() {
  auto registry = std::make_unique<MemoryRegistry>();
  registry->SetWow64();
  return registry;
}

void PutUtf16Value(RegistryStore& registry, const std::string& path, const std::string& name,
                   std::uint32_t type, const std::u16string& data) {
  static_cast<MemoryRegistry&>(registry).SetUtf16Value(kHkeyCurrentUser, path, name, type, data);
}

void MakeRegistryLink(RegistryStore& registry, const std::string& path,
                      const std::string& targetPath) {
  static_cast<MemoryRegistry&>(registry).AddLink(
      kHkeyCurrentUser, path, MemoryRegistry::FullName(kHkeyCurrentUser, targetPath));
}

void RemoveRegistryLink(RegistryStore& registry, const std::string& path) {
  static_cast<MemoryRegistry&>(registry).RemoveLink(kHkeyCurrentUser, path);
}

void ImportRegFile(RegistryStore& registry, FileSystemEnvironment& files, const std::string& path) {
  ApplyRegFile(registry, ParseRegFile(files.ReadBytes(path)));
}

std::string ExportRegistry(RegistryStore& registry, FileSystemEnvironment&) {
  std::string text;
  // The other roots are views of these two.
  for (RootKey root : {kHkeyLocalMachine, kHkeyUsers}) {
    for (const auto& [path, values] : testsupport::TakeSnapshot(registry, root, "")) {
      text += "[" + RootKeyName(root) + "\\" + path + "]\n";
      for (const auto& [name, value] : values) {
        text += name + "=" + std::to_string(value.type) + ":" +
                std::string(value.data.begin(), value.data.end()) + "\n";
      }
    }
  }
  return text;
}

}  // namespace kelvane
