// Folder paths the user types or a settings file holds, made independent of the working
// folder the program happens to start in.
#pragma once

#include <string>

namespace kelvane {

// A relative folder taken as below base (a full path that ends with its separator): "relbk"
// and ".\relbk" name base's "relbk", "\relbk" the root of base's drive. Full paths (a drive
// and its root, or a network path) and an empty text are returned as they are.
std::string AbsoluteFolder(const std::string& folder, const std::string& base);

}  // namespace kelvane
