// The scan categories. Their numbers are the image indices of the category tree and the keys of
// the tree's ticks in options.ini; everywhere else a category travels as this type.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace kelvane {

enum class ScanCategory {
  // The two group nodes of the tree: ticked, they are tasks that run no rule of their own.
  AllCategories = 1,
  FilesAndFolders = 2,
  FilesAndFoldersLocalMachine = 3,
  FilesAndFoldersCurrentUser = 4,
  FilesAndFoldersUsers = 5,
  SoftwareLocations = 6,
  WindowsFonts = 7,
  HelpFiles = 8,
  SharedDlls = 9,
  StartupPrograms = 10,
  AddRemovePrograms = 11,
  FileExtensions = 12,
  CustomControls = 13,
  ObsoleteSoftware = 14,
  WindowsServices = 15,
  StartMenu = 16,
  Shortcuts = 17,
  SoundEvents = 18,
  ActiveX = 19,
  MruLists = 20,
  Installer = 21,
  Applications = 22,
  // Kept in the settings file but shown by no node of the tree.
  EmptyKeysUsers = 23,
};

constexpr int kFirstCategoryNumber = 1;
constexpr int kLastCategoryNumber = 23;
constexpr int kCategoryCount = kLastCategoryNumber - kFirstCategoryNumber + 1;

constexpr int CategoryNumber(ScanCategory category) {
  return static_cast<int>(category);
}

constexpr std::optional<ScanCategory> CategoryFromNumber(int number) {
  if (number < kFirstCategoryNumber || number > kLastCategoryNumber) return std::nullopt;
  return static_cast<ScanCategory>(number);
}

// A stable name for reports that machines read, the same in every language.
const char* CategoryId(ScanCategory category);

// A tick for every category, as the tree and the settings file keep them.
class CategoryTicks {
 public:
  bool operator[](ScanCategory category) const { return ticks_[Index(category)]; }
  bool& operator[](ScanCategory category) { return ticks_[Index(category)]; }
  void Fill(bool ticked) { ticks_.fill(ticked); }

 private:
  static std::size_t Index(ScanCategory category) {
    return static_cast<std::size_t>(CategoryNumber(category) - kFirstCategoryNumber);
  }
  std::array<bool, kCategoryCount> ticks_{};
};

}  // namespace kelvane
