#include "scan/RegistryViews.h"


#include "platform/Text.h"

namespace kelvane {
namespace {

// Below a classes key, these subkeys are redirected; the rest of the classes are shared.
const char* const kRedirectedClasses[] = {"CLSID\\", "DIRECTSHOW\\", "INTERFACE\\",
                                          "MEDIA TYPE\\", "MEDIAFOUNDATION\\"};

// Below the machine's SOFTWARE key, these are shared; the rest is redirected.
const char* const kSharedSoftware[] = {
    "CLIENTS\\",
    "MICROSOFT\\COM3\\",
    "MICROSOFT\\CRYPTOGRAPHY\\CALAIS\\CURRENT\\",
    "MICROSOFT\\CRYPTOGRAPHY\\CALAIS\\READERS\\",
    "MICROSOFT\\CRYPTOGRAPHY\\SERVICES\\",
    "MICROSOFT\\CTF\\SYSTEMSHARED\\",
    "MICROSOFT\\CTF\\TIP\\",
    "MICROSOFT\\DFS\\",
    "MICROSOFT\\DRIVER SIGNING\\",
    "MICROSOFT\\ENTERPRISECERTIFICATES\\",
    "MICROSOFT\\EVENTSYSTEM\\",
    "MICROSOFT\\MSMQ\\",
    "MICROSOFT\\NON-DRIVER SIGNING\\",
    "MICROSOFT\\NOTEPAD\\DEFAULTFONTS\\",
    "MICROSOFT\\OLE\\",
    "MICROSOFT\\RAS\\",
    "MICROSOFT\\RPC\\",
    "MICROSOFT\\SHARED TOOLS\\MSINFO\\",
    "MICROSOFT\\SYSTEMCERTIFICATES\\",
    "MICROSOFT\\TERMSERVLICENSING\\",
    "MICROSOFT\\TRANSACTION SERVER\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\CONTROL PANEL\\CURSORS\\SCHEMES\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\AUTOPLAYHANDLERS\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\DRIVEICONS\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\KINDMAP\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\GROUP POLICY\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\POLICIES\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\PREVIEWHANDLERS\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\SETUP\\",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\TELEPHONY\\LOCATIONS\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\CONSOLE\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTDPI\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTLINK\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTMAPPER\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTSUBSTITUTES\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\GRE_INITIALIZE\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\IMAGE FILE EXECUTION OPTIONS\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\LANGUAGEPACK\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\NETWORKCARDS\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PERFLIB\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PORTS\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PRINT\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PROFILELIST\\",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\TIME ZONES\\",
    "POLICIES\\",
    "REGISTEREDAPPLICATIONS\\",
};

bool StartsWith(const std::string& text, const char* start) {
  return text.rfind(start, 0) == 0;
}

// Cuts the start off text when it begins with it.
bool Consume(std::string& text, const char* start) {
  if (!StartsWith(text, start)) return false;
  text.erase(0, std::char_traits<char>::length(start));
  return true;
}

RowView ViewOfClasses(const std::string& belowClasses) {
  for (const char* redirected : kRedirectedClasses) {
    if (StartsWith(belowClasses, redirected)) return RowView::Bits32;
  }
  return RowView::Shared;
}

RowView ViewOfMachineSoftware(std::string belowSoftware) {
  if (StartsWith(belowSoftware, "WOW6432NODE\\")) return RowView::Bits32;
  if (Consume(belowSoftware, "CLASSES\\")) return ViewOfClasses(belowSoftware);
  for (const char* shared : kSharedSoftware) {
    if (StartsWith(belowSoftware, shared)) return RowView::Shared;
  }
  return RowView::Bits32;
}

// Below a user's key (without its root): only the classes' redirected subkeys have two views.
RowView ViewOfUserKey(std::string belowUser) {
  return Consume(belowUser, "SOFTWARE\\CLASSES\\") ? ViewOfClasses(belowUser) : RowView::Shared;
}

// The machine's and the merged classes, upper-cased, with the 32-bit view's own key below each.
const char* const kClassesKeys[] = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES\\",
                                    "HKEY_CLASSES_ROOT\\"};
const char* const kWow64Keys[] = {"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432NODE\\",
                                  "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES\\WOW6432NODE\\",
                                  "HKEY_CLASSES_ROOT\\WOW6432NODE\\"};

}  // namespace

bool HasA64BitView(const std::string& keyText) {
  const std::string text = UpperCaseAscii(keyText) + "\\";
  if (!StartsWith(text, "HKEY_LOCAL_MACHINE\\SOFTWARE\\") &&
      !StartsWith(text, "HKEY_CLASSES_ROOT\\")) {
    return false;
  }
  for (const char* own : kWow64Keys) {
    if (StartsWith(text, own)) return false;
  }
  return ViewOfKeyText(keyText, true) == RowView::Bits32;
}

std::string KeyTextOf32BitKeyIn64BitView(const std::string& keyText) {
  const std::string text = UpperCaseAscii(keyText);
  std::size_t at = std::char_traits<char>::length("HKEY_LOCAL_MACHINE\\SOFTWARE\\");
  for (const char* classes : kClassesKeys) {
    if (StartsWith(text, classes)) at = std::char_traits<char>::length(classes);
  }
  return keyText.substr(0, at) + "Wow6432Node\\" + keyText.substr(at);
}

bool MayHoldRedirectedKeys(const std::string& keyText) {
  if (HasA64BitView(keyText)) return true;
  const std::string text = UpperCaseAscii(keyText) + "\\";
  // The keys above the redirected ones.
  if (text == "HKEY_LOCAL_MACHINE\\") return true;
  for (const char* classes : kClassesKeys) {
    if (text == classes) return true;
  }
  return false;
}

RowView ViewOfKeyText(const std::string& keyText, bool isWow64) {
  if (!isWow64) return RowView::Bits32;
  // Every component ends with a backslash, so a key's own name matches a listed key too.
  std::string text = UpperCaseAscii(keyText) + "\\";
  if (Consume(text, "HKEY_LOCAL_MACHINE\\")) {
    return Consume(text, "SOFTWARE\\") ? ViewOfMachineSoftware(text) : RowView::Shared;
  }
  if (Consume(text, "HKEY_CLASSES_ROOT\\")) return ViewOfClasses(text);
  if (Consume(text, "HKEY_CURRENT_USER\\")) return ViewOfUserKey(text);
  if (Consume(text, "HKEY_USERS\\")) {
    const std::size_t slash = text.find('\\');
    const std::string user = text.substr(0, slash);
    text.erase(0, slash + 1);
    const bool classesHive = user.size() > 8 && user.compare(user.size() - 8, 8, "_CLASSES") == 0;
    return classesHive ? ViewOfClasses(text) : ViewOfUserKey(text);
  }
  return RowView::Shared;
}

}  // namespace kelvane
