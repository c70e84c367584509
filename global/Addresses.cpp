#include "global/Addresses.h"

namespace kelvane::addresses {

std::string ResolveAddress(const std::string& programFolder, const std::string& address) {
  std::string url = "file:///";
  for (char c : programFolder) {
    // Characters that would end or change the path part of the URL are escaped.
    switch (c) {
      case '\\':
        url += '/';
        break;
      case ' ':
        url += "%20";
        break;
      case '%':
        url += "%25";
        break;
      case '#':
        url += "%23";
        break;
      default:
        url += c;
    }
  }
  return url + address;
}

}  // namespace kelvane::addresses
