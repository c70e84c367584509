#include "scan/ProblemRecord.h"

namespace kelvane {

const char* ViewName(RowView view) {
  switch (view) {
    case RowView::Shared: return "shared";
    case RowView::Bits32: return "32-bit";
    case RowView::Bits64: return "64-bit";
    case RowView::None: break;
  }
  return "none";
}

const char* CertaintyName(Certainty certainty) {
  return certainty == Certainty::Certain ? "certain" : "review";
}

}  // namespace kelvane
