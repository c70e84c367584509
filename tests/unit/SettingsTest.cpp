#include <gtest/gtest.h>

#include <map>

#include "global/Settings.h"
#include "platform/PortableProfileStore.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

using testsupport::ReadRawFile;
using testsupport::WriteRawFile;

constexpr PixelSize kScreen{1025, 769};
constexpr PixelSize kMainWindow{684, 520};

class SettingsFile : public ::testing::Test {
 protected:
  std::string OptionsPath() const { return folder_.PathOf("options.ini"); }
  void WriteOptions(const std::string& text) { WriteRawFile(OptionsPath(), text); }
  Settings Load(PixelSize screen = kScreen) {
    return LoadSettings(store_, folder_.Path(), screen, kMainWindow);
  }
  void Save(const Settings& settings, std::optional<int> showCommand = kShowNormal,
            const WindowRect& bounds = {10, 20, 700, 500}) {
    SaveSettings(store_, folder_.Path(), settings, showCommand, bounds);
  }

  testsupport::ScratchFolder folder_;
  PortableProfileStore store_;
};

// Serves reads from a map and records writes, refusing the one with the given number.
class RecordingStore : public ProfileStore {
 public:
  std::string ReadString(const std::string&, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    const auto found = values.find(section + "/" + key);
    return found == values.end() ? defaultValue : found->second;
  }
  std::vector<std::string> KeyNames(const std::string&, const std::string& section) override {
    std::vector<std::string> names;
    for (const auto& [name, value] : values) {
      if (name.rfind(section + "/", 0) == 0) names.push_back(name.substr(section.size() + 1));
    }
    return names;
  }
  bool WriteString(const std::string&, const std::string& section, const std::string& key,
                   const std::string& value) override {
    writes.push_back(section + "/" + key + "=" + value);
    return writes.size() != refusedWrite;
  }

  std::map<std::string, std::string> values;
  std::vector<std::string> writes;
  std::size_t refusedWrite = 0;
};

TEST_F(SettingsFile, WithoutAFileEverythingTakesItsDefault) {
  const Settings settings = Load();
  EXPECT_EQ(settings.backupFolder, folder_.Path() + "Backup");
  EXPECT_TRUE(settings.deleteBackupAfterRestore);
  EXPECT_FALSE(settings.judgeRemovableMedia);
  EXPECT_FALSE(settings.judgeCdDrives);
  EXPECT_FALSE(settings.beepWhenDone);
  for (int number = kFirstCategoryNumber; number <= kLastCategoryNumber; ++number) {
    EXPECT_TRUE(settings.categoryTicks[*CategoryFromNumber(number)]) << number;
  }
  EXPECT_TRUE(settings.ignoredValues.empty());
  EXPECT_TRUE(settings.ignoredKeys.empty());
  EXPECT_EQ(settings.windowState, kShowNormal);
  EXPECT_FALSE(settings.startMaximized);
  ASSERT_TRUE(settings.windowBounds);
  EXPECT_EQ(settings.windowBounds->left, 170);
  EXPECT_EQ(settings.windowBounds->top, 124);
  EXPECT_EQ(settings.windowBounds->width, 684);
  EXPECT_EQ(settings.windowBounds->height, 520);
  EXPECT_TRUE(settings.showRepairSummary);
  EXPECT_FALSE(settings.createRestorePoint);
  EXPECT_EQ(settings.languageName, "English");
  EXPECT_EQ(ReadRawFile(OptionsPath()), "<missing>");
}

TEST_F(SettingsFile, ARelativeBackupFolderIsTheProgramFoldersWhereverTheProgramStarts) {
  for (const char* stored : {"relbk", ".\\relbk"}) {
    WriteOptions(std::string("[Options]\r\nOutputDirectory=") + stored + "\r\n");
    EXPECT_EQ(Load().backupFolder, folder_.Path() + "relbk");
  }
  WriteOptions("[Options]\r\nOutputDirectory=D:\\Backups\r\n");
  EXPECT_EQ(Load().backupFolder, "D:\\Backups");
}

TEST_F(SettingsFile, DefaultPositionOnASmallScreenHalvesTowardZero) {
  const Settings settings = Load(PixelSize{601, 399});
  ASSERT_TRUE(settings.windowBounds);
  EXPECT_EQ(settings.windowBounds->left, -41);
  EXPECT_EQ(settings.windowBounds->top, -60);
}

TEST_F(SettingsFile, FileWrittenFromScratchHoldsOptionsFirstThenTheOtherSections) {
  Save(Load());
  std::string expected = "[Options]\r\nOutputDirectory=" + folder_.Path() +
                         "Backup\r\nDeleteBackupFile=1\r\nIncludeRemoveMedia=0\r\n"
                         "IncludeCDdrive=0\r\nBeep=0\r\nShowHint=1\r\nRestorePoint=0\r\n"
                         "TickReviewRows=0\r\nScan64Bit=1\r\nLan=English\r\n"
                         "[TreeViewNodeCheck]\r\n";
  for (int node = kFirstCategoryNumber; node <= kLastCategoryNumber; ++node) {
    expected += std::to_string(node) + "=1\r\n";
  }
  expected +=
      "[IgnoreValue]\r\nCount=0\r\n[IgnoreKey]\r\nCount=0\r\n"
      "[Window]\r\nState=1\r\nLeft=10\r\nTop=20\r\nWidth=700\r\nHeight=500\r\n";
  EXPECT_EQ(ReadRawFile(OptionsPath()), expected);
}

TEST_F(SettingsFile, CountAloneDecidesHowManyListEntriesAreRead) {
  WriteOptions(
      "[IgnoreValue]\r\nCount=2\r\nValue1=v1\r\nValue2=v2\r\nValue3=v3\r\nValue4=v4\r\n"
      "Value5=v5\r\n[IgnoreKey]\r\nCount=3\r\nKey1=k1\r\nKey3=k3\r\n");
  Settings settings = Load();
  EXPECT_EQ(settings.ignoredValues, (std::vector<std::string>{"v1", "v2"}));
  EXPECT_EQ(settings.ignoredKeys, (std::vector<std::string>{"k1", "", "k3"}));

  settings.ignoredValues = {"only"};
  Save(settings);
  EXPECT_EQ(store_.ReadString(OptionsPath(), "IgnoreValue", "Count", ""), "1");
  EXPECT_EQ(store_.ReadString(OptionsPath(), "IgnoreValue", "Value1", ""), "only");
  EXPECT_EQ(store_.ReadString(OptionsPath(), "IgnoreValue", "Value5", ""), "v5");
  EXPECT_EQ(Load().ignoredValues, (std::vector<std::string>{"only"}));
}

TEST_F(SettingsFile, MaximisedStateLoadsNoBoundsAndAnyOtherStateLoadsThem) {
  WriteOptions("[Window]\r\nState=3\r\nLeft=5\r\nTop=6\r\nWidth=800\r\nHeight=600\r\n");
  Settings settings = Load();
  EXPECT_TRUE(settings.startMaximized);
  EXPECT_FALSE(settings.windowBounds);

  WriteOptions("[Window]\r\nState=2\r\nLeft=5\r\nTop=6\r\nWidth=800\r\nHeight=600\r\n");
  settings = Load();
  EXPECT_FALSE(settings.startMaximized);
  EXPECT_EQ(settings.windowState, 2);
  ASSERT_TRUE(settings.windowBounds);
  EXPECT_EQ(settings.windowBounds->left, 5);
  EXPECT_EQ(settings.windowBounds->top, 6);
  EXPECT_EQ(settings.windowBounds->width, 800);
  EXPECT_EQ(settings.windowBounds->height, 600);
}

TEST_F(SettingsFile, IntegersAreDecimalOrHexadecimalAndAnythingElseGivesTheDefault) {
  WriteOptions(
      "[Options]\r\nBeep=yes\r\nDeleteBackupFile=yes\r\nIncludeRemoveMedia=0x1\r\n"
      "IncludeCDdrive=-1\r\nShowHint=0\r\nRestorePoint=1.5\r\n"
      "[Window]\r\nLeft=0x1f\r\nTop=-2147483648\r\nWidth=2147483648\r\nHeight=0x\r\n"
      "[IgnoreKey]\r\nCount=-3\r\nKey1=never\r\n[IgnoreValue]\r\nCount=+1\r\nValue1=v\r\n"
      "[TreeViewNodeCheck]\r\n1=0x100000000\r\n2=12abc\r\n4=0X0\r\n5=+-1\r\n");
  const Settings settings = Load();
  EXPECT_FALSE(settings.beepWhenDone);
  EXPECT_TRUE(settings.deleteBackupAfterRestore);
  EXPECT_TRUE(settings.judgeRemovableMedia);
  EXPECT_TRUE(settings.judgeCdDrives);
  EXPECT_FALSE(settings.showRepairSummary);
  EXPECT_FALSE(settings.createRestorePoint);
  ASSERT_TRUE(settings.windowBounds);
  EXPECT_EQ(settings.windowBounds->left, 31);
  EXPECT_EQ(settings.windowBounds->top, -2147483647 - 1);
  EXPECT_EQ(settings.windowBounds->width, kMainWindow.width);
  EXPECT_EQ(settings.windowBounds->height, kMainWindow.height);
  EXPECT_TRUE(settings.ignoredKeys.empty());
  EXPECT_EQ(settings.ignoredValues, (std::vector<std::string>{"v"}));
  EXPECT_TRUE(settings.categoryTicks[*CategoryFromNumber(1)]);
  EXPECT_TRUE(settings.categoryTicks[*CategoryFromNumber(2)]);
  EXPECT_FALSE(settings.categoryTicks[*CategoryFromNumber(4)]);
  EXPECT_TRUE(settings.categoryTicks[*CategoryFromNumber(5)]);
}

TEST_F(SettingsFile, NodeNumber23IsWrittenBackAsLoaded) {
  WriteOptions("[TreeViewNodeCheck]\r\n5=0\r\n23=0\r\n");
  Settings settings = Load();
  EXPECT_FALSE(settings.categoryTicks[*CategoryFromNumber(5)]);
  EXPECT_FALSE(settings.categoryTicks[*CategoryFromNumber(23)]);
  // The tree ticks every node it has before the save.
  for (int node = kFirstCategoryNumber; node < kLastCategoryNumber; ++node) {
    settings.categoryTicks[*CategoryFromNumber(node)] = true;
  }
  Save(settings);
  EXPECT_EQ(store_.ReadString(OptionsPath(), "TreeViewNodeCheck", "5", ""), "1");
  EXPECT_EQ(store_.ReadString(OptionsPath(), "TreeViewNodeCheck", "23", ""), "0");
}

TEST_F(SettingsFile, WriteIntoAMissingFolderRaisesUnableToWrite) {
  const std::string missingFolder = folder_.PathOf("absent") + "/";
  try {
    SaveSettings(store_, missingFolder, Load(), kShowNormal, {});
    FAIL() << "no error raised";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + missingFolder + "options.ini");
  }
}

TEST(Settings, SaveWritesInOrderOmitsAnUnknownStateAndStopsAtTheFirstRefusal) {
  RecordingStore store;
  Settings settings = LoadSettings(store, "", kScreen, kMainWindow);
  settings.ignoredKeys = {"HKEY_CURRENT_USER\\Software"};
  SaveSettings(store, "", settings, std::nullopt, {1, 2, 3, 4});
  std::vector<std::string> expected = {"Options/OutputDirectory=Backup",
                                       "Options/DeleteBackupFile=1", "Options/IncludeRemoveMedia=0",
                                       "Options/IncludeCDdrive=0", "Options/Beep=0",
                                       "Options/ShowHint=1", "Options/RestorePoint=0",
                                       "Options/TickReviewRows=0", "Options/Scan64Bit=1",
                                       "Options/Lan=English"};
  for (int node = kFirstCategoryNumber; node <= kLastCategoryNumber; ++node) {
    expected.push_back("TreeViewNodeCheck/" + std::to_string(node) + "=1");
  }
  for (const char* write :
       {"IgnoreValue/Count=0", "IgnoreKey/Count=1", "IgnoreKey/Key1=HKEY_CURRENT_USER\\Software",
        "Window/Left=1", "Window/Top=2", "Window/Width=3", "Window/Height=4"}) {
    expected.push_back(write);
  }
  EXPECT_EQ(store.writes, expected);

  RecordingStore refusing;
  refusing.refusedWrite = 3;
  EXPECT_THROW(SaveSettings(refusing, "", settings, kShowNormal, {}), SettingsWriteError);
  EXPECT_EQ(refusing.writes.size(), 3u);
}

TEST(Settings, DamagedCountReadsNoMoreEntriesThanThereAre) {
  RecordingStore store;
  store.values["IgnoreKey/Count"] = "2147483647";
  EXPECT_TRUE(LoadSettings(store, "", kScreen, kMainWindow).ignoredKeys.empty());
  store.values["IgnoreKey/Key1"] = "k1";
  store.values["IgnoreKey/key3"] = "k3";
  EXPECT_EQ(LoadSettings(store, "", kScreen, kMainWindow).ignoredKeys,
            (std::vector<std::string>{"k1", "", ""}));
}

}  // namespace
}  // namespace kelvane
