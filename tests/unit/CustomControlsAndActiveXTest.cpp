#include <gtest/gtest.h>

#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class CustomControlsAndActiveX : public ScanMachine {
 protected:
  CustomControlsAndActiveX() {
    files.AddFolder("C:\\Data");
    files.AddFile("C:\\Present\\here.dll");
  }

  // The rows below HKEY_CLASSES_ROOT only, leaving out what other tasks find.
  std::vector<std::string> ClassRows(const std::vector<ScanCategory>& tasks) {
    std::vector<std::string> rows;
    for (const std::string& row : Rows(tasks)) {
      if (row.rfind("HKEY_CLASSES_ROOT\\", 0) == 0) rows.push_back(row);
    }
    return rows;
  }
};

const char kClasses[] = R"([HKEY_CLASSES_ROOT\CLSID\{A1}\InprocServer32]
@="C:\\Gone\\a.dll"
[HKEY_CLASSES_ROOT\CLSID\{A2}\InprocServer32]
@="D:\\Gone\\b.dll"
[HKEY_CLASSES_ROOT\CLSID\{A3}\LocalServer32]
@="C:\\Data"
[HKEY_CLASSES_ROOT\CLSID\{A4}]
@="A class name"
[HKEY_CLASSES_ROOT\CLSID\{A4}\InprocServer32]
@="C:\\Present\\here.dll"
[HKEY_CLASSES_ROOT\CLSID\{A5}\Sub\Deeper]
@=hex(2):43,3a,5c,47,6f,6e,65,5c,78,2e,6f,63,78,00
[HKEY_CLASSES_ROOT\CLSID\{A6}\InprocServer32]
@=dword:00000001
)";

const char kInterfaces[] = R"([HKEY_CLASSES_ROOT\TypeLib\{LIB-ONE}\1.0]
[HKEY_CLASSES_ROOT\Interface\{I1}]
@="IOne"
[HKEY_CLASSES_ROOT\Interface\{I1}\TypeLib]
@="{lib-one}"
[HKEY_CLASSES_ROOT\Interface\{I2}]
@="ITwo"
[HKEY_CLASSES_ROOT\Interface\{I2}\TypeLib]
@="{LIB-GONE}"
[HKEY_CLASSES_ROOT\Interface\{I3}]
@="IThree"
[HKEY_CLASSES_ROOT\Interface\{I3}\TypeLib]
@=""
[HKEY_CLASSES_ROOT\Interface\{I4}]
@="IFour"
[HKEY_CLASSES_ROOT\Interface\{I5}]
@=dword:00000001
[HKEY_CLASSES_ROOT\Interface\{I5}\TypeLib]
@="{LIB-GONE}"
[HKEY_CLASSES_ROOT\Interface\{I6}]
@="ISix"
[HKEY_CLASSES_ROOT\Interface\{I6}\TypeLib]
@=dword:00000001
[HKEY_CLASSES_ROOT\Interface\{I7}]
@="ISeven"
[HKEY_CLASSES_ROOT\Interface\{I7}\TypeLib]
@="LIB-ONE"
)";

const char kTypeLibFiles[] = R"([HKEY_CLASSES_ROOT\TypeLib\{LIB-ONE}\1.0\0\win32]
@="C:\\Gone\\lib.dll"
[HKEY_CLASSES_ROOT\TypeLib\{LIB-ONE}\1.0\HELPDIR]
@="C:\\Gone"
[HKEY_CLASSES_ROOT\TypeLib\{LIB-ONE}\1.1\0\win32]
@="C:\\Gone\\lib.tlb"
[HKEY_CLASSES_ROOT\TypeLib\{LIB-ONE}\1.2\0\win32]
@="C:\\Present\\HERE.DLL\\3"
)";

const char kAppIds[] = R"([HKEY_CLASSES_ROOT\AppID\{APP-KNOWN}]
[HKEY_CLASSES_ROOT\AppID\{C3}]
[HKEY_CLASSES_ROOT\CLSID\{C1}]
"AppID"="{app-known}"
[HKEY_CLASSES_ROOT\CLSID\{C2}]
"AppID"="{APP-GONE}"
[HKEY_CLASSES_ROOT\CLSID\{C3}]
"AppID"="{APP-GONE}"
[HKEY_CLASSES_ROOT\CLSID\{C4}]
"AppID"="{APP-GONE}"
[HKEY_CLASSES_ROOT\CLSID\{C4}\InprocServer32]
@="C:\\WINDOWS\\System32\\OLEACC.DLL"
[HKEY_CLASSES_ROOT\CLSID\{C5}]
"AppID"="{APP-GONE}"
[HKEY_CLASSES_ROOT\CLSID\{C5}\InprocServer32]
@="C:\\Present\\here.dll"
[HKEY_CLASSES_ROOT\CLSID\{C6}]
"AppID"="{APP-GONE}"
[HKEY_CLASSES_ROOT\CLSID\{C6}\InprocServer32]
"ThreadingModel"="Both"
[HKEY_CLASSES_ROOT\CLSID\{C7}]
"AppID"=""
[HKEY_CLASSES_ROOT\CLSID\{C8}]
"AppID"=dword:00000001
[HKEY_CLASSES_ROOT\CLSID\{C9}]
@="No AppID at all"
)";

TEST_F(CustomControlsAndActiveX, ClassDefaultValuesNamingMissingFilesOrFoldersAreReported) {
  Load(kClasses);
  EXPECT_EQ(Rows({ScanCategory::CustomControls}),
            (std::vector<std::string>{
                "HKEY_CLASSES_ROOT\\CLSID\\{A1}\\InprocServer32 | C:\\Gone\\a.dll | 0",
                // A folder is no server.
                "HKEY_CLASSES_ROOT\\CLSID\\{A3}\\LocalServer32 | C:\\Data | 0",
                "HKEY_CLASSES_ROOT\\CLSID\\{A5}\\Sub\\Deeper | C:\\Gone\\x.ocx | 0"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Custom Controls Issue");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Custom Controls...");
}

TEST_F(CustomControlsAndActiveX, InterfacesWhoseTypeLibraryIsNotRegisteredAreReported) {
  Load(kInterfaces);
  EXPECT_EQ(Rows({ScanCategory::CustomControls}),
            (std::vector<std::string>{"HKEY_CLASSES_ROOT\\Interface\\{I2} | ITwo - {LIB-GONE} | 0",
                                      "HKEY_CLASSES_ROOT\\Interface\\{I3} | IThree -  | 0"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Custom Controls Issue");
}

TEST_F(CustomControlsAndActiveX, TypeLibraryFilesAreJudgedByTheirDllPath) {
  Load(kTypeLibFiles);
  EXPECT_EQ(Rows({ScanCategory::ActiveX}),
            (std::vector<std::string>{
                "HKEY_CLASSES_ROOT\\TypeLib\\{LIB-ONE}\\1.0\\0\\win32\\ | C:\\Gone\\lib.dll | 1"}));
  EXPECT_EQ(sink.rows.at(0).problem, "ActiveX Issue");
}

TEST_F(CustomControlsAndActiveX, ClassesNamingAnUnregisteredAppIdAreReported) {
  Load(kAppIds);
  EXPECT_EQ(Rows({ScanCategory::ActiveX}),
            (std::vector<std::string>{"HKEY_CLASSES_ROOT\\CLSID\\{C2} | {APP-GONE} | 0",
                                      "HKEY_CLASSES_ROOT\\CLSID\\{C5} | {APP-GONE} | 0"}));
  EXPECT_EQ(sink.rows.at(0).problem, "ActiveX Issue");
  // The AppID pass shows the category's status again.
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Invalid ActiveX...");
  EXPECT_EQ(sink.Steps().at(2), "status Scanning Invalid ActiveX...");
}

TEST_F(CustomControlsAndActiveX, MachineFilesAndFoldersTaskLeavesOnlyTheRegistrationPasses) {
  Load(std::string(kClasses) + kInterfaces + kTypeLibFiles + kAppIds);
  EXPECT_EQ(ClassRows({ScanCategory::FilesAndFoldersLocalMachine, ScanCategory::CustomControls,
                       ScanCategory::ActiveX}),
            (std::vector<std::string>{"HKEY_CLASSES_ROOT\\Interface\\{I2} | ITwo - {LIB-GONE} | 0",
                                      "HKEY_CLASSES_ROOT\\Interface\\{I3} | IThree -  | 0",
                                      "HKEY_CLASSES_ROOT\\CLSID\\{C2} | {APP-GONE} | 0",
                                      "HKEY_CLASSES_ROOT\\CLSID\\{C5} | {APP-GONE} | 0"}));
}

}  // namespace
}  // namespace kelvane
