#include <gtest/gtest.h>

#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

const std::string kNtFonts =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::string k9xFonts =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts";
const std::string kHelp = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\Help";
const std::string kHtmlHelp = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\Html Help";
const std::string kSharedDlls =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

class FontsHelpAndSharedDlls : public ScanMachine {
 protected:
  FontsHelpAndSharedDlls() {
    files.AddFile("C:\\Windows\\Fonts\\ARIAL.TTF");
    files.SetSpecialFolder(ShellFolder::Fonts, "C:\\Windows\\Fonts");
    files.AddFile("C:\\Other\\here.ttf");
  }
};

TEST_F(FontsHelpAndSharedDlls, FontsReportFullPathsToMissingFilesOnly) {
  Load("[" + kNtFonts + R"r(]
"Arial (TrueType)"="arial.ttf"
"Bare (TrueType)"="bare.ttf"
"Gone (TrueType)"="C:\\Fonts2\\gone.ttf"
"Here (TrueType)"=hex(2):43,3a,5c,4f,74,68,65,72,5c,68,65,72,65,2e,74,74,66,00
"C:\\Gone\\named.fon"="C:\\Gone\\named.fon"
"Number"=dword:00000001
"CdRom"="D:\\fonts\\cd.ttf"
)r");
  EXPECT_EQ(Rows({ScanCategory::WindowsFonts}),
            (std::vector<std::string>{kNtFonts + " | C:\\Gone\\named.fon | 2",
                                      kNtFonts + "\\Gone (TrueType) | C:\\Fonts2\\gone.ttf | 1"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Fonts Issue");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Windows Fonts...");
}

TEST_F(FontsHelpAndSharedDlls, FontsKeyFollowsTheWindowsFamily) {
  Load("[" + kNtFonts + "]\r\n\"Nt\"=\"C:\\\\Gone\\\\nt.ttf\"\r\n" +
       "[" + k9xFonts + "]\r\n\"Old\"=\"C:\\\\Gone\\\\old.ttf\"\r\n");
  const std::vector<std::string> nt = {kNtFonts + "\\Nt | C:\\Gone\\nt.ttf | 1"};
  const std::vector<std::string> old = {k9xFonts + "\\Old | C:\\Gone\\old.ttf | 1"};
  // 95, 98 and Me read the Windows key; the NT family, from NT 3 to 7, its own.
  using V = WindowsVersion;
  for (V version : {V::Windows95, V::Windows98, V::WindowsMe, V::WindowsNt3, V::WindowsNt4,
                    V::Windows2000, V::WindowsXp, V::Other, V::WindowsVista, V::Windows7}) {
    system.SetVersion(version);
    sink.rows.clear();
    const bool is9x = version == V::Windows95 || version == V::Windows98 || version == V::WindowsMe;
    EXPECT_EQ(Rows({ScanCategory::WindowsFonts}), is9x ? old : nt) << static_cast<int>(version);
  }
}

TEST_F(FontsHelpAndSharedDlls, FontsWithoutAFontsFolderAreJudgedByTheirPathAlone) {
  MemoryFileSystem noFontsFolder;
  noFontsFolder.AddDrive('C', DriveType::Fixed);
  Load("[" + kNtFonts + "]\r\n\"Bare\"=\"bare.ttf\"\r\n\"Gone\"=\"C:\\\\Gone\\\\g.ttf\"\r\n");
  ScanWith(noFontsFolder, sink, {ScanCategory::WindowsFonts});
  ASSERT_EQ(sink.rows.size(), 1u);
  EXPECT_EQ(sink.rows[0].key, kNtFonts + "\\Gone");
  EXPECT_EQ(sink.events.back(), "completed");
}

TEST_F(FontsHelpAndSharedDlls, HelpFilesAreTheValueNameInTheFolderOfTheData) {
  files.AddFile("C:\\Docs\\ok.hlp");
  files.AddFile("C:\\Docs\\guide.chm");
  Load("[" + kHelp + R"r(]
"app.hlp"="C:\\Old"
"ok.hlp"="C:\\Docs\\"
"empty.hlp"=""
"C:\\Gone\\named.hlp"=""
"Number"=dword:00000000
)r" + "[" + kHtmlHelp + R"r(]
"guide.chm"="C:\\Docs"
"lost.chm"="C:\\Docs\\"
)r");
  EXPECT_EQ(Rows({ScanCategory::HelpFiles}),
            (std::vector<std::string>{kHelp + "\\app.hlp | C:\\Old\\app.hlp | 1",
                                      kHelp + " | C:\\Gone\\named.hlp | 2",
                                      kHtmlHelp + "\\lost.chm | C:\\Docs\\lost.chm | 1"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Invalid Help Files");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Invalid Help Files...");
}

TEST_F(FontsHelpAndSharedDlls, SharedDllsReportMissingLibrariesAndUnusedOnes) {
  files.AddFile("C:\\Lib\\unused.dll");
  files.AddFile("C:\\Lib\\used.dll");
  Load("[" + kSharedDlls + R"r(]
"C:\\Lib\\unused.dll"=dword:00000000
"C:\\Lib\\used.dll"=dword:00000003
"C:\\Lib\\gone.dll"=dword:00000002
"C:\\Lib\\text.dll"="0"
"relative.dll"=dword:00000000
)r");
  EXPECT_EQ(Rows({ScanCategory::SharedDlls}),
            (std::vector<std::string>{kSharedDlls + " | C:\\Lib\\gone.dll | 2",
                                      kSharedDlls + " | C:\\Lib\\unused.dll | 2",
                                      kSharedDlls + " | relative.dll | 2"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Missing Shared Dlls");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Shared DLLs...");
}

TEST_F(FontsHelpAndSharedDlls, EmptyFloppyEntriesAreReportedEvenWhereNoPathIsJudged) {
  // "\hp" in a text keeps the path test from judging it; the floppy rule comes first.
  Load("[" + kNtFonts + "]\r\n\"Font\"=\"a:\\\\hp\\\\f.ttf\"\r\n" +
       "[" + kHelp + "]\r\n\"h.hlp\"=\"A:\\\\HP\"\r\n" +
       "[" + kSharedDlls + "]\r\n\"B:\\\\hp\\\\lib.dll\"=dword:00000005\r\n");
  testsupport::RecordingSink withoutFloppiesSink;
  ScanWith(files, withoutFloppiesSink,
           {ScanCategory::WindowsFonts, ScanCategory::HelpFiles, ScanCategory::SharedDlls});
  EXPECT_TRUE(withoutFloppiesSink.rows.empty());

  options.includeRemoveMedia = true;
  EXPECT_EQ(Rows({ScanCategory::WindowsFonts, ScanCategory::HelpFiles, ScanCategory::SharedDlls}),
            (std::vector<std::string>{kNtFonts + "\\Font | a:\\hp\\f.ttf | 1",
                                      kHelp + "\\h.hlp | A:\\HP\\h.hlp | 1",
                                      kSharedDlls + " | B:\\hp\\lib.dll | 2"}));
}

TEST_F(FontsHelpAndSharedDlls, MissingKeysEndEachCategoryQuietly) {
  EXPECT_TRUE(Rows({ScanCategory::WindowsFonts, ScanCategory::HelpFiles, ScanCategory::SharedDlls})
                  .empty());
  EXPECT_EQ(sink.Steps(), (std::vector<std::string>{
                              "before task", "status Scanning Windows Fonts...", "after task",
                              "before task", "status Scanning Invalid Help Files...",
                              "after task", "before task", "status Scanning Shared DLLs...",
                              "after task", "completed"}));
}

}  // namespace
}  // namespace kelvane
