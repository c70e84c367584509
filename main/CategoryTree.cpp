#include "main/CategoryTree.h"

namespace kelvane {
namespace {

constexpr int kRoot = 0;
constexpr int kFilesAndFolders = 1;

}  // namespace

const std::array<CategoryNode, CategoryTree::kNodeCount>& CategoryTree::Nodes() {
  static const std::array<CategoryNode, kNodeCount> nodes = {{
      {"My Computers", 1, 0},
      {"Files and Folders", 2, 1},
      {"HKEY_LOCAL_MACHINE", 3, 2},
      {"HKEY_CURRENT_USER", 4, 2},
      {"HKEY_USERS", 5, 2},
      {"Software Locations", 6, 1},
      {"Windows Fonts", 7, 1},
      {"Invalid Help Files", 8, 1},
      {"Shared DLLs", 9, 1},
      {"Startup Programs", 10, 1},
      {"Add/Remove Programs", 11, 1},
      {"File Extensions", 12, 1},
      {"Custom Controls", 13, 1},
      {"Obsolete Software", 14, 1},
      {"Windows Services", 15, 1},
      {"Start Menu", 16, 1},
      {"Shortcuts", 17, 1},
      {"Sound and Appevents", 18, 1},
      {"Invalid ActiveX", 19, 1},
      {"MRU and History Lists", 20, 1},
      {"Installer", 21, 1},
      {"Applications", 22, 1},
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
    settings.TreeViewNodeCheck.at(Nodes()[node].imageIndex) = ticked_[node];
  }
}

void CategoryTree::Restore(const Settings& settings) {
  for (int node = 0; node < kNodeCount; ++node) {
    ticked_[node] = settings.TreeViewNodeCheck.at(Nodes()[node].imageIndex);
  }
}

std::vector<std::string> CategoryTree::Collect() const {
  std::vector<std::string> tasks;
  for (int node = 0; node < kNodeCount; ++node) {
    if (ticked_[node]) tasks.push_back(std::to_string(Nodes()[node].imageIndex));
  }
  return tasks;
}

}  // namespace kelvane
