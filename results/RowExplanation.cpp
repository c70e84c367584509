#include "results/RowExplanation.h"

#include <iterator>

#include "scan/FindingRules.h"

namespace kelvane {
namespace {

constexpr char kLineBreak[] = "\r\n";

// A certain rule's row is for review only when the evidence for its path was not direct.
bool ReviewForItsPath(const ProblemRecord& record) {
  for (const RuleInfo& rule : AllRules()) {
    if (record.ruleId == rule.id) return rule.certainty == Certainty::Certain;
  }
  return false;
}

std::string ViewText(RowView view, const Language& language) {
  switch (view) {
    case RowView::Shared: return language.LangString("RES_View_Shared", "shared");
    case RowView::Bits32: return language.LangString("RES_View_32_Bit", "32-bit");
    case RowView::Bits64: return language.LangString("RES_View_64_Bit", "64-bit");
    case RowView::None: break;
  }
  return language.LangString("RES_View_None", "none");
}

std::string Labelled(const Language& language, const char* key, const char* english,
                     const std::string& text) {
  return language.LangString(key, english) + ": " + text;
}

std::string ClassLine(const ProblemRecord& record, const Language& language) {
  return Labelled(language, "RES_Explain_Class", "Class", CertaintyText(record, language));
}

}  // namespace

std::string CertaintyText(const ProblemRecord& record, const Language& language) {
  if (record.certainty == Certainty::Certain) {
    return language.LangString("RES_Class_Certain", "certain") + " - " +
           language.LangString("RES_Class_Certain_Why",
                               "the evidence is direct, and repairing cannot break anything "
                               "that still works");
  }
  const std::string why =
      ReviewForItsPath(record)
          ? language.LangString("RES_Class_Review_Path",
                                "the path could not be checked directly: it is not on a fixed "
                                "drive, or its folder could not be listed")
          : language.LangString("RES_Class_Review_Rule",
                                "the evidence is indirect or the entry may still be in use");
  return language.LangString("RES_Class_Review", "review") + " - " + why;
}

std::string RowExplanation(const ProblemRecord& record, const Language& language) {
  const std::string lines[] = {
      record.reason,
      Labelled(language, "RES_Explain_Problem", "Problem", record.problem),
      ClassLine(record, language),
      Labelled(language, "RES_Explain_Rule", "Rule", record.ruleId),
      Labelled(language, "RES_Explain_View", "Registry view", ViewText(record.view, language)),
      Labelled(language, "RES_Explain_Tested", "Tested", record.testedPath),
      Labelled(language, "RES_Explain_Key", "Key", record.key),
      Labelled(language, "RES_Explain_Value", "Value", record.value),
  };
  std::string text = lines[0];
  for (std::size_t index = 1; index < std::size(lines); ++index) text += kLineBreak + lines[index];
  return text;
}

std::string RowTip(const ProblemRecord& record, const Language& language) {
  return record.reason + kLineBreak + ClassLine(record, language);
}

}  // namespace kelvane
