#include "scan/CategoryTree.h"

namespace kelvane {
namespace {

constexpr int kRoot = 0;
constexpr int kFilesAndFolders = 1;

}  // namespace

const std::array<CategoryNode, CategoryTree::kNodeCount>& CategoryTree::Nodes() {
  static const std::array<CategoryNode, kNodeCount> nodes = {{
      {"My Computers", ScanCategory::AllCategories, 0},
      {"Files and Folders", ScanCategory::FilesAndFolders, 1},
      {"HKEY_LOCAL_MACHINE", ScanCategory::FilesAndFoldersLocalMachine, 2},
      {"HKEY_CURRENT_USER", ScanCategory::FilesAndFoldersCurrentUser, 2},
      {"HKEY_USERS", ScanCategory::FilesAndFoldersUsers, 2},
      {"Software Locations", ScanCategory::SoftwareLocations, 1},
      {"Windows Fonts", ScanCategory::WindowsFonts, 1},
      {"Invalid Help Files", ScanCategory::HelpFiles, 1},
      {"Shared DLLs", ScanCategory::SharedDlls, 1},
      {"Startup Programs", ScanCategory::StartupPrograms, 1},
      {"Add/Remove Programs", ScanCategory::AddRemovePrograms, 1},
      {"File Extensions", ScanCategory::FileExtensions, 1},
      {"Custom Controls", ScanCategory::CustomControls, 1},
      {"Obsolete Software", ScanCategory::ObsoleteSoftware, 1},
      {"Windows Services", ScanCategory::WindowsServices, 1},
      {"Start Menu", ScanCategory::StartMenu, 1},
      {"Shortcuts", ScanCategory::Shortcuts, 1},
      {"Sound and Appevents", ScanCategory::SoundEvents, 1},
      {"Invalid ActiveX", ScanCategory::ActiveX, 1},
      {"MRU and History Lists", ScanCategory::MruLists, 1},
      {"Installer", ScanCategory::Installer, 1},
      {"Applications", ScanCategory::Applications, 1},
  }};
  return nodes;
}

CategoryTree::CategoryTree() { ticked_.fill(true); }

int CategoryTree::Parent(int node) const {
  const int level = Nodes().at(node).level;
  for (int candidate = node - 1; candidate >= 0; --candidate) {
    if (Nodes()[candidate].level < level) return candidate;
  }
  return -1;
}

bool CategoryTree::AnyTicked(int parent) const {
  for (int node = 0; node < kNodeCount; ++node) {
    if (Parent(node) == parent && ticked_[node]) return true;
  }
  return false;
}

void CategoryTree::PressTick(int node) {
  const bool ticked = !ticked_.at(node);
  ticked_[node] = ticked;
  switch (Nodes()[node].level) {
    case 0:
      SetAll(kRoot, ticked);
      return;
    case 1:
      for (int child = node + 1; child < kNodeCount && Nodes()[child].level > 1; ++child) {
        ticked_[child] = ticked;
      }
      break;
    default:
      ticked_[kFilesAndFolders] = AnyTicked(kFilesAndFolders);
      break;
  }
  ticked_[kRoot] = AnyTicked(kRoot);
}

void CategoryTree::SetAll(int firstNode, bool ticked) {
  for (int node = firstNode; node < kNodeCount; ++node) ticked_[node] = ticked;
}

void CategoryTree::Save(Settings& settings) const {
  for (int node = 0; node < kNodeCount; ++node) {
    settings.categoryTicks[Nodes()[node].category] = ticked_[node];
  }
}

void CategoryTree::Restore(const Settings& settings) {
  for (int node = 0; node < kNodeCount; ++node) {
    ticked_[node] = settings.categoryTicks[Nodes()[node].category];
  }
}

std::vector<ScanCategory> CategoryTree::Collect() const {
  std::vector<ScanCategory> tasks;
  for (int node = 0; node < kNodeCount; ++node) {
    if (ticked_[node]) tasks.push_back(Nodes()[node].category);
  }
  return tasks;
}

}  // namespace kelvane
