#include <gtest/gtest.h>

#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class FileExtensions : public ScanMachine {};

const std::string kClasses = "HKEY_LOCAL_MACHINE\\Software\\Classes";
const std::string kFileExts =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

TEST_F(FileExtensions, ClassKeysWithoutSubkeysOrDataAreReported) {
  Load("[" + kClasses + "\\.empty]\r\n" +
       "[" + kClasses + "\\.emptydefault]\r\n@=\"\"\r\n" +
       "[" + kClasses + "\\.expandempty]\r\n@=hex(2):00\r\n" +
       "[" + kClasses + "\\.named]\r\n\"x\"=\"\"\r\n" +
       "[" + kClasses + "\\.text]\r\n@=\"txtfile\"\r\n" +
       "[" + kClasses + "\\.number]\r\n@=dword:00000000\r\n" +
       "[" + kClasses + "\\.binary]\r\n@=hex:\r\n" +
       "[" + kClasses + "\\.none]\r\n@=hex(0):\r\n" +
       "[" + kClasses + "\\.multi]\r\n@=hex(7):61,00,00\r\n" +
       "[" + kClasses + "\\.twovalues]\r\n@=\"\"\r\n\"x\"=\"\"\r\n" +
       "[" + kClasses + "\\WithChild\\sub]\r\n" +
       "[" + kClasses + "\\zlast]\r\n");
  EXPECT_EQ(Rows({ScanCategory::FileExtensions}),
            (std::vector<std::string>{kClasses + " | .empty | 3", kClasses + " | .emptydefault | 3",
                                      kClasses + " | .expandempty | 3", kClasses + " | .none | 3",
                                      kClasses + " | zlast | 3"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Unused File Extension");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning File Extensions...");
  EXPECT_EQ(sink.events.back(), "completed");
}

TEST_F(FileExtensions, UserExtensionKeysThatHoldNoValueAnywhereAreReported) {
  Load("[" + kFileExts + "\\.a]\r\n" +
       "[" + kFileExts + "\\.b\\OpenWithList]\r\n" +
       "[" + kFileExts + "\\.c\\OpenWithList]\r\n\"a\"=\"x.exe\"\r\n" +
       "[" + kFileExts + "\\.d\\OpenWithList]\r\n[" + kFileExts + "\\.d\\OpenWithProgids]\r\n" +
       "[" + kFileExts + "\\.e]\r\n@=\"\"\r\n");
  EXPECT_EQ(Rows({ScanCategory::FileExtensions}),
            (std::vector<std::string>{kFileExts + " | .a | 3", kFileExts + " | .b | 3"}));
}

}  // namespace
}  // namespace kelvane
