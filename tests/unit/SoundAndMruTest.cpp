#include <gtest/gtest.h>

#include "platform/Text.h"
#include "tests/support/RegistryValues.h"
#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

const std::string kSchemes = "HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps";
const std::string kOpenSave =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
const std::string kUserAssist =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\"
    "{75048700-EF1F-11D0-9888-006097DEACF9}\\Count";

class SoundAndMru : public ScanMachine {
 protected:
  SoundAndMru() {
    files.AddFile("C:\\Sounds\\here.wav");
    files.AddFile("C:\\Docs\\report.doc");
    files.AddFile("C:\\Docs\\star.zip");
    files.AddFile("C:\\Tools\\tool.exe");
  }

  void SetUserValue(const std::string& path, const std::string& name, const RawValue& value) {
    testsupport::PutValue(registry, kHkeyCurrentUser, path, name, value);
  }

  // A program-use entry stored under its rotated name.
  void AddUseEntry(const std::string& name, std::uint32_t runs, std::size_t size = 16) {
    SetUserValue(kUserAssist, Rot13(name), testsupport::ProgramUseEntry(runs, size));
  }
};

TEST_F(SoundAndMru, CurrentAndDefaultSoundsNamingMissingFilesAreReported) {
  Load("[" + kSchemes + R"(\.Default]
@="Windows"
[)" + kSchemes + R"(\.Default\Beep\.Current]
@="ding.wav"
[)" + kSchemes + R"(\.Default\Exit\.Current]
@=""
[)" + kSchemes + R"(\.Default\Folder\.current]
@="C:\\Sounds"
[)" + kSchemes + R"(\.Default\Hand\.CURRENT]
@="C:\\Sounds\\gone.wav"
[)" + kSchemes + R"(\.Default\Present\.Current]
@="C:\\Sounds\\here.wav"
[)" + kSchemes + R"(\.Default\Start\Custom]
@="C:\\Sounds\\custom.wav"
[)" + kSchemes + R"(\.Default\Start\Custom\Utopia0]
@=hex(2):43,3a,5c,53,6f,75,6e,64,73,5c,75,2e,77,61,76,00
[)" + kSchemes + R"(\.Default\Start\.Default]
@="D:\\Sounds\\cd.wav"
)");
  EXPECT_EQ(Rows({ScanCategory::SoundEvents}),
            (std::vector<std::string>{
                // An existing folder is no sound.
                kSchemes + "\\.Default\\Folder\\.current | C:\\Sounds | 5",
                kSchemes + "\\.Default\\Hand\\.CURRENT | C:\\Sounds\\gone.wav | 5",
                kSchemes + "\\.Default\\Start\\Custom\\Utopia0 | C:\\Sounds\\u.wav | 5"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Missing Sound File");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Sound and Appevents...");
}

TEST_F(SoundAndMru, OpenSaveValuesAreReportedUnlessAFileWithAListedExtensionExists) {
  Load("[HKEY_CURRENT_USER\\" + kOpenSave + R"(]
"a"="C:\\Docs\\gone.txt"
"b"="C:\\Docs\\report"
"c"="relative.txt"
"d"="D:\\Docs\\cd.txt"
"e"="C:\\Docs\\star"
"MRUList"="abcde"
"C:\\Docs\\named"="C:\\Docs\\named.txt"
[HKEY_CURRENT_USER\)" + kOpenSave + R"(\*]
"a"="C:\\Docs\\gone.bin"
"MRUList"="a"
[HKEY_CURRENT_USER\)" + kOpenSave + R"(\doc]
"a"="C:\\Docs\\report.doc"
[HKEY_CURRENT_USER\)" + kOpenSave + R"(\txt]
"a"="C:\\Docs\\gone.txt"
)");
  const std::string key = "HKEY_CURRENT_USER\\" + kOpenSave;
  EXPECT_EQ(Rows({ScanCategory::MruLists}),
            (std::vector<std::string>{
                key + "\\a | C:\\Docs\\gone.txt | 1", key + " | C:\\Docs\\named | 2",
                // "*" stands for no extension of its own.
                key + "\\e | C:\\Docs\\star | 1", key + "\\*\\a | C:\\Docs\\gone.bin | 1",
                key + "\\txt\\a | C:\\Docs\\gone.txt | 1"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Missing MRU and History Lists file");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning MRU and History Lists...");
}

TEST_F(SoundAndMru, ProgramUseEntriesNeverRunOrNamingMissingProgramsAreReported) {
  AddUseEntry("UEME_RUNPATH:C:\\Apps\\gone.exe", 5);
  AddUseEntry("UEME_RUNPATH:C:\\Tools\\tool.exe", 256);
  AddUseEntry("UEME_RUNPIDL:%csidl2%\\Tools\\x.lnk", 0);
  AddUseEntry("UEME_RUNPATH:C:\\Gone\\app.lnk", 3);
  AddUseEntry("UEME_RUNPATH:C:\\Gone\\Up.LNK", 3);
  AddUseEntry("UEME_RUNPATH", 0);
  // Too short for a run counter: judged by the name alone.
  AddUseEntry("UEME_RUNPATH:C:\\Apps\\short.exe", 0, 4);
  AddUseEntry("UEME_UISCUT", 0, 6);
  AddUseEntry("UEME_RUNPATH:C:\\Apps\\big.exe", 0, 32768);
  const std::string key = "HKEY_CURRENT_USER\\" + kUserAssist;
  std::vector<std::string> rows = Rows({ScanCategory::MruLists});
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<std::string>{
                      key + " | UEME_RUNPATH | 6",
                      key + " | UEME_RUNPATH:C:\\Apps\\gone.exe | 6",
                      key + " | UEME_RUNPATH:C:\\Apps\\short.exe | 6",
                      key + " | UEME_RUNPATH:C:\\Gone\\Up.LNK | 6",
                      key + " | UEME_RUNPIDL:%csidl2%\\Tools\\x.lnk | 6"}));
}

TEST_F(SoundAndMru, AProgramUseValueThatIsNotBinaryEndsTheHistoryQuietly) {
  AddUseEntry("UEME_RUNPATH:C:\\Apps\\first.exe", 1);
  // Stored names: "HRZR_..." first, then "m-text", then "zzz".
  SetUserValue(kUserAssist, "m-text", RawValue{RegType::Sz, Bytes{'x', 0}});
  SetUserValue(kUserAssist, "zzz", RawValue{RegType::Binary, Bytes(16)});
  EXPECT_EQ(Rows({ScanCategory::MruLists, ScanCategory::SoundEvents}),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\" + kUserAssist +
                                      " | UEME_RUNPATH:C:\\Apps\\first.exe | 6"}));
  EXPECT_EQ(sink.events.back(), "completed");
}

}  // namespace
}  // namespace kelvane
