// The tree of scan categories and its ticks: which categories a scan covers. The tree window
// only shows this model.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "global/ScanCategory.h"
#include "global/Settings.h"

namespace kelvane {

struct CategoryNode {
  const char* text;
  ScanCategory category;  // its number is the node's image index
  int level;
};

class CategoryTree {
 public:
  static constexpr int kNodeCount = 22;
  // The nodes in tree order: a node, its children, its next sibling.
  static const std::array<CategoryNode, kNodeCount>& Nodes();

  CategoryTree();

  bool Ticked(int node) const { return ticked_.at(node); }
  // A press on a node's tick: toggles it and keeps parents and children consistent.
  void PressTick(int node);

  // The walks over every node from the given one, in tree order.
  void SetAll(int firstNode, bool ticked);
  void Save(Settings& settings) const;
  void Restore(const Settings& settings);
  // The categories of the ticked nodes, in tree order.
  std::vector<ScanCategory> Collect() const;

 private:
  int Parent(int node) const;
  bool AnyTicked(int parent) const;

  std::array<bool, kNodeCount> ticked_{};
};

}  // namespace kelvane
