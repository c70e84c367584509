#include <gtest/gtest.h>

#include <string>

#include "platform/Sha256.h"

namespace kelvane {
namespace {

// Published test vectors, and pieces of any size giving the digest of the whole.
TEST(Sha256, KnownDigestsWhateverTheSizesOfThePieces) {
  EXPECT_EQ(Sha256Of(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Of("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::string two =
      "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  EXPECT_EQ(Sha256Of(two), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  const std::string million(1000000, 'a');
  EXPECT_EQ(Sha256Of(million),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
  for (std::size_t piece : {1u, 55u, 56u, 63u, 64u, 65u, 1000u}) {
    Sha256 digest;
    for (std::size_t at = 0; at < million.size(); at += piece) digest.Add(million.substr(at, piece));
    EXPECT_EQ(digest.HexDigest(), Sha256Of(million)) << piece;
  }
}

}  // namespace
}  // namespace kelvane
