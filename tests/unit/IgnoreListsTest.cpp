#include <gtest/gtest.h>

#include "results/IgnoreLists.h"

namespace kelvane {
namespace {

constexpr char kOld[] = "HKEY_CURRENT_USER\\Software\\Old";

ProblemRecord Row(const std::string& key, const std::string& value, RepairKind kind) {
  return {"Problem", key, value, kind};
}

ResultsModel ModelOf(const std::vector<ProblemRecord>& records) {
  ResultsModel results;
  for (const ProblemRecord& record : records) results.Add(record);
  return results;
}

std::vector<std::string> KeyAndValueTexts(const ResultsModel& results) {
  std::vector<std::string> keys;
  for (const ResultRow& row : results.Rows()) {
    keys.push_back(row.record.key + "|" + row.record.value);
  }
  return keys;
}

// The rows that survive a filter with nothing but the given ignore lists.
std::vector<std::string> Kept(const std::vector<ProblemRecord>& records,
                              const std::vector<std::string>& ignoreValue,
                              const std::vector<std::string>& ignoreKey) {
  ResultsModel results = ModelOf(records);
  Settings settings;
  settings.ignoredValues = ignoreValue;
  settings.ignoredKeys = ignoreKey;
  FilterResults(results, settings, Leftovers{});
  return KeyAndValueTexts(results);
}

using Texts = std::vector<std::string>;

TEST(IgnoreLists, MatchTargetFollowsTheRepairKind) {
  struct Case {
    ProblemRecord record;
    std::string key;
    std::string valueName;
  };
  const Case cases[] = {
      {Row("HKEY_CLASSES_ROOT\\CLSID\\{1}", "ignored", RepairKind::Key),
       "HKEY_CLASSES_ROOT\\CLSID\\{1}", ""},
      {Row("HKEY_CURRENT_USER\\Software\\A\\Val", "x", RepairKind::ValueInKeyText),
       "HKEY_CURRENT_USER\\Software\\A", "Val"},
      {Row("HKEY_CURRENT_USER\\Val", "", RepairKind::ValueInKeyText), "HKEY_CURRENT_USER\\", "Val"},
      {Row("HKEY_CURRENT_USER\\Software\\A\\", "", RepairKind::ValueInKeyText),
       "HKEY_CURRENT_USER\\Software\\A", ""},
      {Row("HKEY_LOCAL_MACHINE\\Software\\X", "Y", RepairKind::ValueNamedByValue),
       "HKEY_LOCAL_MACHINE\\Software\\X", "Y"},
      {Row("HKEY_LOCAL_MACHINE\\Software\\X", "Sub", RepairKind::SubkeyNamedByValue),
       "HKEY_LOCAL_MACHINE\\Software\\X\\Sub", ""},
      {Row("HKEY_CLASSES_ROOT\\.abc", "data", RepairKind::DefaultValue), "HKEY_CLASSES_ROOT\\.abc",
       "@"},
      {Row("HKEY_CURRENT_USER\\Count", "UEME_RUNPATH:C:\\a.exe", RepairKind::EncodedValueName),
       "HKEY_CURRENT_USER\\Count", "HRZR_EHACNGU:P:\\n.rkr"},
      {Row("C:\\Start Menu\\x.lnk", "C:\\x.exe", RepairKind::ShortcutFile), "", ""},
      {Row("HKEY_CURRENT_USER\\x", "y", static_cast<RepairKind>(9)), "", ""},
  };
  for (const Case& c : cases) {
    const MatchTarget target = MatchTargetOf(c.record);
    EXPECT_EQ(target.key, c.key) << c.record.key;
    EXPECT_EQ(target.valueName, c.valueName) << c.record.key;
  }
}

TEST(IgnoreLists, PlaceholderRowsGoInAnyLetterCase) {
  const Texts kept = Kept({Row("HKEY_USERS\\%username%_Classes\\x", "", RepairKind::Key),
                           Row("HKEY_USERS\\S-1\\x", "C:\\%UserName%_\\a.dll", RepairKind::Key),
                           Row("HKEY_USERS\\%USERNAME%\\x", "", RepairKind::Key),
                           Row("%USERNAME%_", "", RepairKind::ShortcutFile)},
                          {}, {});
  EXPECT_EQ(kept, Texts{"HKEY_USERS\\%USERNAME%\\x|"});
}

TEST(IgnoreLists, LeftoversHideRowsWithTheSameKeyAndValueAtTheSamePosition) {
  ResultsModel results = ModelOf({Row("HKEY_LOCAL_MACHINE\\A", "one", RepairKind::Key),
                                  Row("HKEY_LOCAL_MACHINE\\A", "two", RepairKind::Key),
                                  Row("HKEY_LOCAL_MACHINE\\B", "one", RepairKind::Key),
                                  Row("HKEY_LOCAL_MACHINE\\C", "three", RepairKind::Key)});
  const Leftovers leftovers = {{"hkey_local_machine\\a", "ONE"},
                               {"HKEY_LOCAL_MACHINE\\C", "other"},
                               {"HKEY_LOCAL_MACHINE\\other", "three"}};
  FilterResults(results, Settings{}, leftovers);
  EXPECT_EQ(KeyAndValueTexts(results),
            (Texts{"HKEY_LOCAL_MACHINE\\A|two", "HKEY_LOCAL_MACHINE\\B|one",
                   "HKEY_LOCAL_MACHINE\\C|three"}));
}

TEST(IgnoreLists, IgnoredKeyHidesKeysAtAboveAndBelowItAndValuesAtOrBelowIt) {
  const Texts kept =
      Kept({Row("HKEY_CURRENT_USER\\Software\\Old\\Sub", "", RepairKind::Key),
            Row(kOld, "X", RepairKind::ValueNamedByValue),
            Row("HKEY_CURRENT_USER\\Software", "", RepairKind::Key),
            Row("hkey_current_user\\software\\old", "", RepairKind::Key),
            Row("HKEY_CURRENT_USER\\Software\\Older", "", RepairKind::Key),
            Row("HKEY_CURRENT_USER\\Software", "X", RepairKind::ValueNamedByValue),
            Row("HKEY_CURRENT_USER\\Software\\Old\\x.lnk", "", RepairKind::ShortcutFile)},
           {}, {kOld});
  EXPECT_EQ(kept, (Texts{"HKEY_CURRENT_USER\\Software\\Older|", "HKEY_CURRENT_USER\\Software|X",
                         "HKEY_CURRENT_USER\\Software\\Old\\x.lnk|"}));
}

TEST(IgnoreLists, IgnoredKeyAgainstValueRowsNamedByTheirKeyText) {
  const std::vector<ProblemRecord> rows = {
      Row("HKEY_CURRENT_USER\\Software\\A\\Val", "", RepairKind::ValueInKeyText)};
  // The value's own path as a key, the key holding it, and a key below it.
  EXPECT_TRUE(Kept(rows, {}, {"HKEY_CURRENT_USER\\Software\\A\\Val"}).empty());
  EXPECT_TRUE(Kept(rows, {}, {"HKEY_CURRENT_USER\\Software\\A\\"}).empty());
  EXPECT_EQ(Kept(rows, {}, {"HKEY_CURRENT_USER\\Software\\A\\Val\\Deeper"}).size(), 1u);
}

// Letter case in every script, as the registry compares names: Cyrillic, Greek, emoji.
TEST(IgnoreLists, EntriesAndLeftoversMatchInAnyScriptAndLetterCase) {
  const std::string user = "HKEY_CURRENT_USER\\Software\\";
  const std::vector<ProblemRecord> rows = {
      Row(user + "\u0422\u0415\u0421\u0422\\Sub", "", RepairKind::Key),
      Row(user + "\u03a3\u039f\u03a6\u0399\u0391", "\U0001F600 \u0391", RepairKind::ValueNamedByValue),
      Row(user + "\u0422\u0435\u0441\u0442\u044b", "", RepairKind::Key)};
  EXPECT_EQ(Kept(rows, {user + "\u03c3\u03bf\u03c6\u03b9\u03b1\\\U0001F600 \u03b1"},
                 {user + "\u0442\u0435\u0441\u0442"}),
            Texts{user + "\u0422\u0435\u0441\u0442\u044b|"});
  ResultsModel results = ModelOf(rows);
  FilterResults(results, Settings{}, {{user + "\u0442\u0435\u0441\u0442\u042b", ""}});
  EXPECT_EQ(results.Count(), 2u);
}

TEST(IgnoreLists, IgnoredValueHidesItselfAndTheKeysAboveIt) {
  const Texts kept =
      Kept({Row("HKEY_CURRENT_USER\\Software\\A\\Val", "", RepairKind::ValueInKeyText),
            Row("HKEY_CURRENT_USER\\Software\\A", "", RepairKind::Key),
            Row("HKEY_CURRENT_USER\\Software\\A", "VAL", RepairKind::ValueNamedByValue),
            Row("HKEY_CURRENT_USER\\Software\\A", "Other", RepairKind::ValueNamedByValue),
            Row("HKEY_CURRENT_USER\\Software\\A\\Val\\Sub", "", RepairKind::Key)},
           {"HKEY_CURRENT_USER\\Software\\A\\Val"}, {});
  EXPECT_EQ(kept, (Texts{"HKEY_CURRENT_USER\\Software\\A|Other",
                         "HKEY_CURRENT_USER\\Software\\A\\Val\\Sub|"}));
}

TEST(IgnoreLists, DefaultAndEncodedValuesMatchTheirStoredNames) {
  const std::string count = "HKEY_CURRENT_USER\\UserAssist\\Count";
  const Texts kept = Kept({Row("HKEY_CLASSES_ROOT\\.abc", "data", RepairKind::DefaultValue),
                           Row(count, "UEME_RUNPATH:C:\\a.exe", RepairKind::EncodedValueName),
                           Row(count, "UEME_RUNPATH:C:\\b.exe", RepairKind::EncodedValueName)},
                          {"HKEY_CLASSES_ROOT\\.abc\\@", count + "\\HRZR_EHACNGU:P:\\n.rkr"}, {});
  EXPECT_EQ(kept, Texts{count + "|UEME_RUNPATH:C:\\b.exe"});
}

TEST(IgnoreLists, RowsWithoutABackslashAndEmptyKeyEntriesAreNeverIgnored) {
  EXPECT_EQ(Kept({Row("HKEY_CURRENT_USER", "", RepairKind::Key)}, {"HKEY_CURRENT_USER\\Val"},
                 {"HKEY_CURRENT_USER"})
                .size(),
            1u);
  EXPECT_EQ(Kept({Row("HKEY_CURRENT_USER\\Software", "", RepairKind::Key),
                  Row("HKEY_CURRENT_USER\\Software", "V", RepairKind::ValueNamedByValue)},
                 {}, {"", ""})
                .size(),
            2u);
}

TEST(IgnoreLists, FilterKeepsTheOrderAndTicksOfTheRest) {
  ResultsModel results = ModelOf({Row("HKEY_LOCAL_MACHINE\\A", "", RepairKind::Key),
                                  Row("HKEY_LOCAL_MACHINE\\B", "", RepairKind::Key),
                                  Row("HKEY_LOCAL_MACHINE\\C", "", RepairKind::Key),
                                  Row("HKEY_LOCAL_MACHINE\\D", "", RepairKind::Key)});
  results.SetTicked(2, true);
  Settings settings;
  settings.ignoredKeys = {"HKEY_LOCAL_MACHINE\\B"};
  FilterResults(results, settings, Leftovers{});
  ASSERT_EQ(KeyAndValueTexts(results),
            (Texts{"HKEY_LOCAL_MACHINE\\A|", "HKEY_LOCAL_MACHINE\\C|", "HKEY_LOCAL_MACHINE\\D|"}));
  EXPECT_FALSE(results.Row(0).ticked);
  EXPECT_TRUE(results.Row(1).ticked);
  EXPECT_EQ(settings.ignoredKeys, Texts{"HKEY_LOCAL_MACHINE\\B"});
}

TEST(IgnoreLists, AddingPutsEachKindIntoItsListAndRemovesTheRow) {
  ResultsModel results =
      ModelOf({Row("HKEY_LOCAL_MACHINE\\K0", "w", RepairKind::Key),
               Row("HKEY_LOCAL_MACHINE\\K1\\Val", "w", RepairKind::ValueInKeyText),
               Row("HKEY_LOCAL_MACHINE\\K2", "W2", RepairKind::ValueNamedByValue),
               Row("HKEY_LOCAL_MACHINE\\K3", "Sub", RepairKind::SubkeyNamedByValue),
               Row("HKEY_LOCAL_MACHINE\\K5", "data", RepairKind::DefaultValue),
               Row("HKEY_LOCAL_MACHINE\\K6", "UEME_X", RepairKind::EncodedValueName),
               Row("HKEY_LOCAL_MACHINE\\Unselected", "", RepairKind::Key)});
  Settings settings;
  AddSelectedToIgnoreLists(results, settings, {0, 1, 2, 3, 4, 5});
  // Going from the last selected row to the first.
  EXPECT_EQ(settings.ignoredKeys, (Texts{"HKEY_LOCAL_MACHINE\\K5", "HKEY_LOCAL_MACHINE\\K3\\Sub",
                                       "HKEY_LOCAL_MACHINE\\K0"}));
  EXPECT_EQ(settings.ignoredValues,
            (Texts{"HKEY_LOCAL_MACHINE\\K6\\HRZR_K", "HKEY_LOCAL_MACHINE\\K2\\W2",
                   "HKEY_LOCAL_MACHINE\\K1\\Val"}));
  EXPECT_EQ(KeyAndValueTexts(results), Texts{"HKEY_LOCAL_MACHINE\\Unselected|"});
}

TEST(IgnoreLists, AddedRowsAreHiddenByTheNextFilter) {
  const std::vector<ProblemRecord> rows = {
      Row("HKEY_LOCAL_MACHINE\\K0", "", RepairKind::Key),
      Row("HKEY_LOCAL_MACHINE\\K1\\Val", "", RepairKind::ValueInKeyText),
      Row("HKEY_LOCAL_MACHINE\\K2", "W2", RepairKind::ValueNamedByValue),
      Row("HKEY_LOCAL_MACHINE\\K3", "Sub", RepairKind::SubkeyNamedByValue),
      Row("HKEY_LOCAL_MACHINE\\K5", "data", RepairKind::DefaultValue),
      Row("HKEY_LOCAL_MACHINE\\K6", "UEME_X", RepairKind::EncodedValueName)};
  for (const ProblemRecord& row : rows) {
    ResultsModel results = ModelOf({row});
    Settings settings;
    AddSelectedToIgnoreLists(results, settings, {0});
    ASSERT_TRUE(results.Empty()) << row.key;
    EXPECT_TRUE(Kept({row}, settings.ignoredValues, settings.ignoredKeys).empty()) << row.key;
  }
}

TEST(IgnoreLists, AddingAnEntryAlreadyListedLeavesTheRow) {
  const ProblemRecord row =
      Row("HKEY_LOCAL_MACHINE\\Software\\X", "Y", RepairKind::ValueNamedByValue);
  ResultsModel results = ModelOf({row, row});
  Settings settings;
  AddSelectedToIgnoreLists(results, settings, {0, 1});
  EXPECT_EQ(settings.ignoredValues, Texts{"HKEY_LOCAL_MACHINE\\Software\\X\\Y"});
  EXPECT_EQ(results.Count(), 1u);

  settings.ignoredKeys = {"HKEY_LOCAL_MACHINE\\Other", "hkey_local_machine\\software\\x"};
  results = ModelOf({Row("HKEY_LOCAL_MACHINE\\Software\\X", "", RepairKind::Key)});
  AddSelectedToIgnoreLists(results, settings, {0});
  EXPECT_EQ(results.Count(), 1u);
  EXPECT_EQ(settings.ignoredKeys.size(), 2u);
}

TEST(IgnoreLists, AddingRemovesFileRowsWithoutAnEntryAndLeavesRowsWithoutABackslash) {
  ResultsModel results = ModelOf({Row("C:\\Menu\\x.lnk", "", RepairKind::ShortcutFile),
                                  Row("HKEY_CURRENT_USER", "", RepairKind::Key),
                                  Row("x.lnk", "", RepairKind::ShortcutFile),
                                  Row("HKEY_CURRENT_USER\\A", "", RepairKind::Key)});
  Settings settings;
  AddSelectedToIgnoreLists(results, settings, {2, 0, 1, 0, 17});
  EXPECT_TRUE(settings.ignoredValues.empty());
  EXPECT_TRUE(settings.ignoredKeys.empty());
  EXPECT_EQ(KeyAndValueTexts(results),
            (Texts{"HKEY_CURRENT_USER|", "x.lnk|", "HKEY_CURRENT_USER\\A|"}));
}

TEST(IgnoreLists, AddingIsOfferedOnlyForAnExistingCurrentRowThatIsNoFile) {
  const ResultsModel results = ModelOf({Row("HKEY_CURRENT_USER\\A", "", RepairKind::Key),
                                        Row("C:\\x.lnk", "", RepairKind::ShortcutFile)});
  EXPECT_TRUE(HasCurrentRegistryRow(results, 0));
  EXPECT_FALSE(HasCurrentRegistryRow(results, 1));
  EXPECT_FALSE(HasCurrentRegistryRow(results, -1));
  EXPECT_FALSE(HasCurrentRegistryRow(results, 2));
}

}  // namespace
}  // namespace kelvane
