// What the fuzz targets share: stopping on a broken promise, and a scratch folder for readers
// that only read real files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kelvane::fuzzsupport {

// Stops the run as a crash, so libFuzzer keeps the input that broke the promise.
[[noreturn]] inline void Fault(const char* what) {
  std::fprintf(stderr, "fuzz target: %s\n", what);
  std::abort();
}

// One empty folder per process, removed when the process ends. The targets rewrite a file in it
// on every run, so it is in memory where the system has such a folder.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      folder_ = temp / ("kelvane-fuzz-" + std::to_string(random()));
      if (std::filesystem::create_directory(folder_)) return;
    }
    Fault("no scratch folder could be created");
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // With its trailing separator, as the program's folder is given.
  std::string Path() const { return (folder_ / "").string(); }

 private:
  std::filesystem::path folder_;
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) Fault("the scratch file cannot be written");
}

}  // namespace kelvane::fuzzsupport
