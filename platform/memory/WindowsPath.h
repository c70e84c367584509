// How Windows (as Wine implements it) reads a path and matches names against a pattern, for
// the in-memory file system. Letter case is folded for the letters of code page 1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

struct WindowsPath {
  char drive = 0;  // upper-case letter; 0 when the path names no drive (UNC, relative, empty)
  std::vector<std::string> components;  // ".", ".." and empty components resolved
  bool trailingSeparator = false;       // the path ended in a separator after its last component
};

// "C:\\a\\b" and "c:/a/" are full paths; "C:a" starts at the current folder when that is on
// C:, else at C:'s root. Other relative paths and those from the current drive's root ("\\a")
// are read against currentFolder, and name no drive without one.
// As Windows does, "." and ".." are resolved by name, a folder component loses one trailing
// dot and the last component loses all trailing dots and spaces.
WindowsPath ParseWindowsPath(const std::string& path, const std::string& currentFolder);

// Whether a name can be created: not empty, no control characters and none of <>:"/\|?*.
bool IsValidFileName(std::string_view name);

// The generated 8.3 name of a long name, or "" when the name is a valid 8.3 name itself.
// Its shape follows Wine ("LONG~XYZ.EXT"), its three hash characters do not.
std::string ShortNameAlias(std::string_view name);

// FindFirstFile's matching of one name against a pattern of '*' and '?', as Wine does it:
// '?' takes exactly one character, trailing '.' and '*' of the pattern may match nothing, and
// a '?' straight after a '*' is looked for literally (so "*?" matches no ordinary name).
bool MatchesPattern(std::string_view name, std::string_view pattern);

// A long name matches when it or its 8.3 name does.
bool EntryMatches(std::string_view name, std::string_view pattern);

}  // namespace kelvane
