// SHA-256 digests, for telling a file the program wrote from one changed since.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kelvane {

class Sha256 {
 public:
  Sha256();
  void Add(const std::string& bytes);
  // The digest of everything added, as 64 lower-case hexadecimal digits; ends the use.
  std::string HexDigest();

 private:
  void Compress(const unsigned char* block);

  std::array<std::uint32_t, 8> state_;
  unsigned char pending_[64] = {};
  std::size_t pendingSize_ = 0;
  std::uint64_t totalBytes_ = 0;
};

std::string Sha256Of(const std::string& bytes);

}  // namespace kelvane
