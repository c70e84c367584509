// Root keys, value kinds and access masks shared by every registry user.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvane {

using RootKey = std::uint32_t;
constexpr RootKey kHkeyClassesRoot = 0x80000000u;
constexpr RootKey kHkeyCurrentUser = 0x80000001u;
constexpr RootKey kHkeyLocalMachine = 0x80000002u;
constexpr RootKey kHkeyUsers = 0x80000003u;
constexpr RootKey kHkeyPerformanceData = 0x80000004u;
constexpr RootKey kHkeyCurrentConfig = 0x80000005u;
constexpr RootKey kHkeyDynData = 0x80000006u;

// The name shown to the user and written into backup files; empty for an unknown handle.
std::string RootKeyName(RootKey root);
// Upper-cases the name and matches it against the five roots reachable by name.
std::optional<RootKey> RootKeyFromName(const std::string& name);

// A key of the 64-bit view, where the program's own view would show another key by the same
// name, is named with this after its root: "HKEY_LOCAL_MACHINE (64-bit)\SOFTWARE\...".
constexpr char k64BitViewMark[] = " (64-bit)";
std::string With64BitViewMark(const std::string& keyText);
// Takes the mark off a key text that has it; false when it has none.
bool Take64BitViewMark(std::string& keyText);

// The logic's view of a value's data; 3 and 4 are swapped against the raw type numbers.
enum class RegDataKind { Unknown = 0, String = 1, ExpandString = 2, Integer = 3, Binary = 4 };

namespace RegType {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Sz = 1;
constexpr std::uint32_t ExpandSz = 2;
constexpr std::uint32_t Binary = 3;
constexpr std::uint32_t Dword = 4;
constexpr std::uint32_t DwordBigEndian = 5;
constexpr std::uint32_t Link = 6;
constexpr std::uint32_t MultiSz = 7;
constexpr std::uint32_t ResourceList = 8;
constexpr std::uint32_t FullResourceDescriptor = 9;
constexpr std::uint32_t ResourceRequirementsList = 10;
constexpr std::uint32_t Qword = 11;
}  // namespace RegType

RegDataKind DataKindFromRawType(std::uint32_t rawType);

constexpr std::uint32_t kAccessFull = 0xF003Fu;
constexpr std::uint32_t kAccessRead = 0x20019u;
constexpr std::uint32_t kAccessExistenceTest = 0x20009u;

using Bytes = std::vector<unsigned char>;

// A value as the registry stores it: its raw type number and its bytes.
struct RawValue {
  std::uint32_t type = RegType::None;
  Bytes data;
  bool operator==(const RawValue& other) const { return type == other.type && data == other.data; }
};

struct RegKeyInfo {
  std::uint32_t subkeyCount = 0;
  std::uint32_t maxSubkeyNameLength = 0;
  std::uint32_t valueCount = 0;
  std::uint32_t maxValueNameLength = 0;
  std::uint32_t maxDataLength = 0;
  std::uint64_t lastWriteTime = 0;  // FILETIME ticks (100 ns since 1601, UTC)
};

// Raised by reads of the wrong kind and of values that cannot be queried.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kelvane
