// The program keeps every text as UTF-8 in std::string; these convert it where the system or a
// stored format wants UTF-16 or the ANSI code page 1252.
#pragma once

#include <optional>
#include <string>

namespace kelvane {

// A unit that is no character (a lone surrogate) becomes U+FFFD.
std::string Utf8FromUtf16(const char16_t* units, std::size_t count);
std::string Utf8FromUtf16(const std::u16string& units);
// Bytes that are not UTF-8 become U+FFFD.
std::u16string Utf16FromUtf8(const std::string& text);
// None when the units do not come back unchanged from UTF-8 (a lone surrogate).
std::optional<std::string> ExactUtf8FromUtf16(const char16_t* units, std::size_t count);

void AppendUtf8(std::string& text, char32_t character);
// The character starting at text[i], U+FFFD for bytes that are not UTF-8; i moves past it.
char32_t NextCodePoint(const std::string& text, std::size_t& i);
// The position itself, or the start of the character it lies inside.
std::size_t CharacterStart(const std::string& text, std::size_t position);

// Code page 1252 bytes as UTF-8.
std::string Utf8FromAnsi(const std::string& ansi);
// None when a character has no place in code page 1252, or is not ASCII while the system's
// ANSI code page is another: the system would read those bytes as other letters.
std::optional<std::string> AnsiFromUtf8(const std::string& text);
bool FitsAnsi(const std::string& text);
// Told once at start; code page 1252 until then.
void SetSystemAnsiIsCodePage1252(bool is1252);

// UTF-16LE bytes, without a byte-order mark.
std::string Utf16LeBytes(const std::string& text);
// UTF-16LE bytes with a byte-order mark, and back; text without the mark is taken as
// code page 1252 and one with a UTF-8 mark as UTF-8.
std::string Utf16LeFileBytes(const std::string& text);
std::string TextFromFileBytes(const std::string& bytes);

}  // namespace kelvane
