// Every address the program opens or names. There is no web site: they all point into the help
// document shipped beside the program, by a name relative to the program's folder.
#pragma once

#include <string>

namespace kelvane::addresses {

constexpr char kHelpDocument[] = "Kelvane.html";
constexpr char kHomePage[] = "Kelvane.html";
constexpr char kUpdatePage[] = "Kelvane.html#update";
constexpr char kOnlineHelp[] = "Kelvane.html#help";
constexpr char kTranslationPage[] = "Kelvane.html#translation";
constexpr char kItalianHelp[] = "Kelvane.html#help-italian";
constexpr char kPortugueseHelp[] = "Kelvane.html#help-portuguese";

// How a saved report names the home page; a relative address means nothing once the report
// has left the machine.
constexpr char kHomePageText[] = "Kelvane.html in the program folder";

// The address as a file URL a browser opens: the program folder (which ends with its
// separator) with forward slashes, then the relative address with its anchor kept.
std::string ResolveAddress(const std::string& programFolder, const std::string& address);

}  // namespace kelvane::addresses
