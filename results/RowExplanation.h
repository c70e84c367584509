// What the window tells about a row beyond its cells: why it was found, how sure the finding is
// and why, and everything the row names, whole.
#pragma once

#include <string>

#include "global/Localization.h"
#include "scan/ProblemRecord.h"

namespace kelvane {

// The row's class in the user's language and why it has it.
std::string CertaintyText(const ProblemRecord& record, const Language& language);

// The reason, then one labelled line each for the problem, the class, the rule, the view, the
// tested path, the key and the value, with "\r\n" between lines as an edit box takes them.
std::string RowExplanation(const ProblemRecord& record, const Language& language);

// The list's tip for the row: its reason and its class.
std::string RowTip(const ProblemRecord& record, const Language& language);

}  // namespace kelvane
