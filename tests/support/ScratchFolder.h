// An empty folder of the test's own under the system's temporary folder (under Wine, on the
// prefix's C: drive), removed with its contents when the test ends; plus raw file access
// that sees the bytes exactly as written.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace kelvane::testsupport {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      folder_ = temp / ("kelvane-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(folder_)) return;
    }
    throw std::runtime_error("no scratch folder could be created in " + temp.string());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
      std::filesystem::permissions(item.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(folder_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path with its trailing separator, as the program's folder is given.
  std::string Path() const { return (folder_ / "").string(); }
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

inline void WriteRawFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// "<missing>" when the file cannot be opened, so a missing file differs from an empty one.
inline std::string ReadRawFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace kelvane::testsupport
