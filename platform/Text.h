// Text helpers; texts are bytes in the ANSI code page and only ASCII letters change case.
#pragma once

#include <functional>
#include <string>

namespace kelvane {

std::string UpperCaseAscii(std::string text);
std::string LowerCaseAscii(std::string text);
bool SameTextAscii(const std::string& a, const std::string& b);
// Each ASCII letter moved 13 places on in the alphabet, keeping its case.
std::string Rot13(std::string text);

// Which bytes a trim takes off the ends of a text.
using BlankTest = bool (*)(char c);
// Spaces and control characters: every byte up to ' '.
bool IsSpaceOrControl(char c);
// The text without the blank bytes at its start, at its end, or at both.
std::string TrimLeft(const std::string& text, BlankTest blank);
std::string TrimRight(const std::string& text, BlankTest blank);
std::string Trim(const std::string& text, BlankTest blank);

// Whether a text fits where it is to be shown, measured as the caller likes.
using FitsCheck = std::function<bool(const std::string& text)>;
// The text whole when it fits, else its two ends around "..." (the start one character the
// longer), as much of them as fits.
std::string ShortenedInMiddle(const std::string& text, const FitsCheck& fits);
// Each run of the text between spaces and line breaks shortened so: a run does not wrap, so a
// long path in one can make a text wider than where it is shown.
std::string LongRunsShortened(const std::string& text, const FitsCheck& fits);

}  // namespace kelvane
