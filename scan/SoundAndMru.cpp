// Sound events and MRU lists: the user's event sounds, recent-file lists and program-use history
// that name files which no longer exist.
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/CategoryRules.h"
#include "scan/JudgedDrive.h"
#include "scan/RegistryReads.h"
#include "scan/ValueProblem.h"

namespace kelvane {
namespace {

const char kOpenSaveMru[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const char kUserAssist[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count";
constexpr int kLargestUserAssistEntry = 32767;
// Bytes 4 to 7 of an entry hold its run counter.
constexpr std::size_t kRunCounterEnd = 8;

// Only these schemes say which sound an event plays; other keys just lead to them.
bool IsJudgedSchemeKey(const std::string& keyName) {
  const std::string name = LowerCaseAscii(keyName);
  return name == ".current" || name == ".default" || name == "utopia0";
}

// Whether the text followed by "." and one of the extensions (other than "*") is a file.
bool ExistsWithAnExtension(FileSystemAccess& files, const std::string& text,
                           const std::vector<std::string>& extensions) {
  for (const std::string& extension : extensions) {
    if (extension != "*" && files.FileExists(text + "." + extension)) return true;
  }
  return false;
}

// Entries too short to hold a run counter have run as far as anyone can tell.
bool NeverRun(const Bytes& data) {
  if (data.size() < kRunCounterEnd) return false;
  return (data[4] | data[5] | data[6] | data[7]) == 0;
}

void ScanSoundSchemeTree(ScanContext& scan, const std::string& rootName,
                         const std::string& parentPath, const std::string& keyName) {
  const std::string path = parentPath + keyName;
  RegistryAccess key(scan.Registry());
  // Below the start every subkey opens as itself, and a link ends the walk there.
  if (!keyName.empty()) key.OpenLinksAsThemselves();
  if (!OpenKeyBelowNamedRoot(key, rootName, path) || key.CurrentIsLink()) return;
  const std::optional<std::string> sound =
      IsJudgedSchemeKey(keyName) ? key.ReadText("") : std::nullopt;
  if (sound) {
    scan.ShowKeyProgress(path);
    if (const std::optional<MissingPath> missing = scan.Missing(*sound, "", false)) {
      scan.AddProblem(Rule::SoundFile, scan.LangString("RES_Problem_Sound", "Missing Sound File"),
                      RootKeyName(key.Root()) + "\\" + path, *sound, RepairKind::DefaultValue,
                      *missing);
    }
  }
  for (const std::string& subkey : key.SubkeyNames()) {
    ScanSoundSchemeTree(scan, rootName, path + "\\", subkey);
  }
}

}  // namespace

void ScanSoundEvents(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_Sound_And_Appevents", "Scanning Sound and Appevents...");
  ScanSoundSchemeTree(scan, "HKEY_Current_User", "AppEvents\\Schemes\\Apps", "");
}

void ScanMruLists(ScanContext& scan) {
  scan.ShowStatus("RES_Scanning_MRU_And_History_Lists", "Scanning MRU and History Lists...");
  const std::string problem =
      scan.LangString("RES_Problem_MRU", "Missing MRU and History Lists file");
  {
    RegistryAccess key(scan.Registry());
    key.SetRootKey(kHkeyCurrentUser);
    if (key.OpenKey(kOpenSaveMru, false)) {
      scan.ShowKeyProgress(kOpenSaveMru);
      const std::vector<std::string> extensions = key.SubkeyNames();
      for (const std::string& name : key.ValueNames()) {
        const std::optional<std::string> text = key.ReadText(name);
        if (!text || !IsOnJudgedDrive(*text, scan.Drives().driveLetters)) continue;
        // The list may hold a file's name without the extension its subkey stands for.
        if (scan.Files().FileExists(*text) ||
            ExistsWithAnExtension(scan.Files(), *text, extensions)) {
          continue;
        }
        AddValueProblem(scan, Rule::RecentFile, problem,
                        std::string("HKEY_CURRENT_USER\\") + kOpenSaveMru, name, *text,
                        scan.EvidenceFor(*text));
      }
      for (const std::string& extension : extensions) {
        if (key.IsLink(extension)) continue;
        ScanValueTree(scan, Rule::RecentFile, "HKEY_CURRENT_USER",
                      std::string(kOpenSaveMru) + "\\" + extension, problem, "");
      }
    }
  }
  try {
    RegistryAccess key(scan.Registry());
    key.SetRootKey(kHkeyCurrentUser);
    if (!key.OpenKey(kUserAssist, false)) return;
    scan.ShowKeyProgress(kUserAssist);
    for (const std::string& name : key.ValueNames()) {
      const int size = key.DataSize(name);
      if (size < 0 || size > kLargestUserAssistEntry) continue;
      Bytes data(static_cast<std::size_t>(size));
      data.resize(key.ReadBinary(name, data.data(), data.size()));
      const std::string entry = Rot13(name);
      std::optional<MissingPath> missing;
      const auto colon = entry.find(':');
      if (entry.find(".lnk") == std::string::npos && colon != std::string::npos) {
        missing = scan.Missing(entry.substr(colon + 1), "", true);
      }
      const std::string keyText = std::string("HKEY_CURRENT_USER\\") + kUserAssist;
      if (missing) {
        scan.AddProblem(Rule::UserAssistFile, problem, keyText, entry,
                        RepairKind::EncodedValueName, *missing);
      } else if (NeverRun(data)) {
        scan.AddProblem(Rule::UserAssistNeverRun, problem, keyText, entry,
                        RepairKind::EncodedValueName, entry);
      }
    }
  } catch (const std::exception&) {
    // A value that cannot be read as binary ends the history step only; a stop goes on up.
  }
}

}  // namespace kelvane
