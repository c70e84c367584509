#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/conformance/RegistryConformanceFixture.h"

namespace kelvane {
namespace {

TEST_F(RegistryConformance, EveryRawTypeHasItsKindAndSize) {
  Load(
      "[~\\Types]\r\n"
      "\"sz\"=\"abc\"\r\n"
      "\"expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
      "\"dword\"=dword:ffffffff\r\n"
      "\"binary\"=hex:01,02,03\r\n"
      "\"empty binary\"=hex:\r\n"
      "\"multi\"=hex(7):61,00,62,00,00\r\n"
      "\"qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"
      "\"none\"=hex(0):aa\r\n"
      "\"big endian\"=hex(5):00,00,00,01\r\n"
      "\"resources\"=hex(8):00,00,00,00\r\n"
      "\"odd\"=hex(1234):ee,ff\r\n");
  RegistryAccess& access = At("Types");
  const struct {
    const char* name;
    RegDataKind kind;
    int size;
  } expected[] = {
      {"sz", RegDataKind::String, 4},         {"expand", RegDataKind::ExpandString, 7},
      {"dword", RegDataKind::Integer, 4},     {"binary", RegDataKind::Binary, 3},
      {"empty binary", RegDataKind::Binary, 0}, {"multi", RegDataKind::Unknown, 5},
      {"qword", RegDataKind::Unknown, 8},     {"none", RegDataKind::Unknown, 1},
      {"big endian", RegDataKind::Unknown, 4}, {"resources", RegDataKind::Unknown, 4},
      {"odd", RegDataKind::Unknown, 2},
  };
  for (const auto& value : expected) {
    EXPECT_EQ(access.DataKind(value.name), value.kind) << value.name;
    EXPECT_EQ(access.DataSize(value.name), value.size) << value.name;
    EXPECT_TRUE(access.ValueExists(value.name)) << value.name;
  }
  RawValue raw;
  ASSERT_TRUE(access.ReadRaw("odd", raw));
  EXPECT_EQ(raw, (RawValue{0x1234, {0xee, 0xff}}));
  ASSERT_TRUE(access.ReadRaw("multi", raw));
  EXPECT_EQ(raw, (RawValue{RegType::MultiSz, {'a', 0, 'b', 0, 0}}));

  EXPECT_EQ(access.DataKind("missing"), RegDataKind::Unknown);
  EXPECT_EQ(access.DataSize("missing"), -1);
  EXPECT_GT(static_cast<unsigned>(access.DataSize("missing")), 1000000u);
  EXPECT_FALSE(access.ValueExists("missing"));
  EXPECT_FALSE(access.ReadRaw("missing", raw));
}

TEST_F(RegistryConformance, StringReadsStopAtNulKeepVariablesAndRefuseOtherKinds) {
  Load(
      "[~\\Strings]\r\n"
      "@=\"default\"\r\n"
      "\"nul inside\"=hex(1):61,62,00,63,64,00\r\n"
      "\"unterminated\"=hex(1):61,62,63\r\n"
      "\"expand\"=hex(2):25,57,49,4e,44,49,52,25,5c,78,00\r\n"
      "\"ansi\"=\"\xe4\xf6\xfc \x80\"\r\n"
      "\"zero size\"=hex(1):\r\n"
      "\"zero size multi\"=hex(7):\r\n"
      "\"multi\"=hex(7):61,00,00\r\n"
      "\"dword\"=dword:00000001\r\n");
  RegistryAccess& access = At("Strings");
  EXPECT_EQ(access.ReadString(""), "default");
  EXPECT_EQ(access.ReadString("nul inside"), "ab");
  EXPECT_EQ(access.ReadString("unterminated"), "abc");
  EXPECT_EQ(access.ReadString("expand"), "%WINDIR%\\x");
  EXPECT_EQ(access.ReadString("ansi"), "\u00e4\u00f6\u00fc \u20ac");
  EXPECT_EQ(access.ReadString("zero size"), "");
  EXPECT_EQ(access.ReadString("zero size multi"), "");
  EXPECT_EQ(access.ReadString("missing"), "");
  EXPECT_EQ(ErrorOf([&] { access.ReadString("multi"); }), "Invalid data type for 'multi'");
  EXPECT_EQ(ErrorOf([&] { access.ReadString("dword"); }), "Invalid data type for 'dword'");
}

TEST_F(RegistryConformance, IntegerReadsNeedADwordThatFitsFourBytes) {
  Load(
      "[~\\Numbers]\r\n"
      "\"minus one\"=dword:ffffffff\r\n"
      "\"large\"=dword:7fffffff\r\n"
      "\"short dword\"=hex(4):05,00\r\n"
      "\"long dword\"=hex(4):01,00,00,00,00,00,00,00\r\n"
      "\"text\"=\"12\"\r\n"
      "\"binary\"=hex:01,00,00,00\r\n");
  RegistryAccess& access = At("Numbers");
  EXPECT_EQ(access.ReadInteger("minus one"), -1);
  EXPECT_EQ(access.ReadInteger("large"), 0x7fffffff);
  EXPECT_EQ(access.ReadInteger("short dword"), 5);
  EXPECT_EQ(ErrorOf([&] { access.ReadInteger("long dword"); }),
            "Failed to get data for 'long dword'");
  EXPECT_EQ(ErrorOf([&] { access.ReadInteger("missing"); }), "Failed to get data for 'missing'");
  EXPECT_EQ(ErrorOf([&] { access.ReadInteger("text"); }), "Invalid data type for 'text'");
  EXPECT_EQ(ErrorOf([&] { access.ReadInteger("binary"); }), "Invalid data type for 'binary'");
}

TEST_F(RegistryConformance, BinaryReadsAcceptBinaryAndUnknownKindsThatFitTheBuffer) {
  Load(
      "[~\\Binary]\r\n"
      "\"binary\"=hex:0a,0b,0c,0d\r\n"
      "\"none\"=hex(0):01,02\r\n"
      "\"multi\"=hex(7):61,00,00\r\n"
      "\"text\"=\"x\"\r\n"
      "\"dword\"=dword:00000001\r\n");
  RegistryAccess& access = At("Binary");
  unsigned char buffer[4] = {};
  EXPECT_EQ(access.ReadBinary("binary", buffer, sizeof(buffer)), 4u);
  EXPECT_EQ(buffer[3], 0x0d);
  EXPECT_EQ(access.ReadBinary("none", buffer, sizeof(buffer)), 2u);
  EXPECT_EQ(access.ReadBinary("multi", buffer, sizeof(buffer)), 3u);
  EXPECT_EQ(access.ReadBinary("missing", buffer, sizeof(buffer)), 0u);
  EXPECT_EQ(ErrorOf([&] { access.ReadBinary("binary", buffer, 3); }),
            "Invalid data type for 'binary'");
  EXPECT_EQ(ErrorOf([&] { access.ReadBinary("text", buffer, 4); }), "Invalid data type for 'text'");
  EXPECT_EQ(ErrorOf([&] { access.ReadBinary("dword", buffer, 4); }),
            "Invalid data type for 'dword'");
}

TEST_F(RegistryConformance, WritesAndDeletesMatchNamesWithoutRegardToCase) {
  Load("[~\\Write]\r\n\"Existing\"=\"old\"\r\n");
  RegistryAccess& access = At("Write");
  ASSERT_TRUE(access.WriteString("EXISTING", "new"));
  ASSERT_TRUE(access.WriteString("", "default"));
  EXPECT_EQ(access.ValueNames(), (std::vector<std::string>{"", "Existing"}));
  EXPECT_EQ(access.ReadString("existing"), "new");
  EXPECT_EQ(access.DataSize("Existing"), 4);
  EXPECT_EQ(access.ReadString(""), "default");

  EXPECT_TRUE(access.DeleteValue("existing"));
  EXPECT_FALSE(access.DeleteValue("existing"));
  EXPECT_TRUE(access.DeleteValue(""));
  EXPECT_TRUE(access.ValueNames().empty());
}

TEST_F(RegistryConformance, ValuesComeInOnePassWithTheDataEachReadWouldGive) {
  const std::string longText(2000, 'x');
  std::string bigBinary = "hex:";
  for (int byte = 0; byte < 3000; ++byte) {
    bigBinary += (byte ? ",0" : "0") + std::to_string(byte % 10);
  }
  Load(
      "[~\\Values]\r\n"
      "@=\"default\"\r\n"
      "\"a big binary\"=" + bigBinary + "\r\n"
      "\"b dword\"=dword:00000007\r\n"
      "\"c long text\"=\"" + longText + "\"\r\n"
      "\"d expand\"=hex(2):25,57,49,4e,44,49,52,25,5c,78,00\r\n"
      "\"e nul inside\"=hex(1):61,62,00,63,64,00\r\n"
      "\"f unterminated\"=hex(1):61,62,63\r\n"
      "\"g zero size\"=hex(1):\r\n"
      "\"h multi\"=hex(7):61,00,00\r\n"
      "\"i odd\"=hex(1234):ee,ff\r\n"
      "\"j short\"=\"C:\\\\x\"\r\n"
      "\"k multi ansi\"=hex(7):e4,00,80,00,00\r\n"
      "\"\xe4 ansi\"=\"\xe4\xf6\xfc \x80\"\r\n"
      "[~\\Values\\Sub]\r\n\"below\"=\"1\"\r\n"
      "[~\\Empty]\r\n");
  RegistryAccess& access = At("Values");
  const std::vector<NamedValue> values = access.Values();
  std::vector<std::string> names;
  for (const NamedValue& value : values) {
    names.push_back(value.name);
    RawValue single;
    EXPECT_TRUE(access.ReadRaw(value.name, single)) << value.name;
    EXPECT_EQ(value.value, single) << value.name;
  }
  EXPECT_EQ(names, access.ValueNames());
  ASSERT_EQ(values.size(), 13u);
  EXPECT_EQ(values[0], (NamedValue{"", {RegType::Sz, {'d', 'e', 'f', 'a', 'u', 'l', 't', 0}}}));
  EXPECT_EQ(values[1].value.type, RegType::Binary);
  ASSERT_EQ(values[1].value.data.size(), 3000u);
  EXPECT_EQ(values[1].value.data[2999], 9);
  EXPECT_EQ(values[2].value, (RawValue{RegType::Dword, {7, 0, 0, 0}}));
  EXPECT_EQ(values[6].value, (RawValue{RegType::Sz, {'a', 'b', 'c'}}));
  EXPECT_EQ(values[9].value, (RawValue{0x1234, {0xee, 0xff}}));
  EXPECT_EQ(values[11], (NamedValue{"k multi ansi",
                                    {RegType::MultiSz, {0xc3, 0xa4, 0, 0xe2, 0x82, 0xac, 0, 0}}}));
  EXPECT_EQ(values[12].name, "\u00e4 ansi");

  // Only string and expandable-string values have a text, which ends at the first NUL.
  std::vector<std::optional<std::string>> texts;
  for (const NamedValue& value : values) texts.push_back(ValueText(value.value));
  EXPECT_EQ(texts,
            (std::vector<std::optional<std::string>>{
                "default", std::nullopt, std::nullopt, longText, "%WINDIR%\\x", "ab", "abc", "",
                std::nullopt, std::nullopt, "C:\\x", std::nullopt, "\u00e4\u00f6\u00fc \u20ac"}));

  // Together with the subkey names, from one look at the key.
  const KeyContents contents = access.Contents();
  EXPECT_EQ(contents.values, values);
  EXPECT_EQ(contents.subkeys, std::vector<std::string>{"Sub"});

  EXPECT_TRUE(At("Empty").Values().empty());
  access.CloseKey();
  EXPECT_TRUE(access.Values().empty());
  EXPECT_TRUE(access.Contents().subkeys.empty());
}

// Texts in any script read as UTF-8, exactly; only units that are no characters (a lone
// surrogate) do not survive, and the exact reads tell.
TEST_F(RegistryConformance, TextsInAnyScriptReadExactlyButLoneSurrogatesDoNot) {
  const std::string wide = Path("Wide");
  PutUtf16Value(*store_, wide, "Scripts", RegType::Sz,
                std::u16string(u"\u0416 \u03A9 \u4E2D \u0639 \U0001F600") + u'\0');
  PutUtf16Value(*store_, wide, "Multi", RegType::MultiSz, std::u16string(u"a\0\u0416\0", 5));
  PutUtf16Value(*store_, wide, "Broken", RegType::Sz,
                std::u16string{u'a', static_cast<char16_t>(0xD800), u'\0'});
  RegistryAccess& access = At("Wide");
  const std::string scripts = "\u0416 \u03A9 \u4E2D \u0639 \U0001F600";
  const RawValue multi{RegType::MultiSz, {'a', 0, 0xD0, 0x96, 0, 0}};
  RawValue raw;
  ASSERT_TRUE(access.ReadRawExactly("Scripts", raw));
  EXPECT_EQ(std::string(raw.data.begin(), raw.data.end()), scripts + '\0');
  EXPECT_EQ(access.ReadString("Scripts"), scripts);
  EXPECT_EQ(access.DataSize("Scripts"), static_cast<int>(scripts.size() + 1));
  ASSERT_TRUE(access.ReadRawExactly("Multi", raw));
  EXPECT_EQ(raw, multi);

  EXPECT_EQ(access.ReadString("Broken"), "a\uFFFD");
  EXPECT_FALSE(access.ReadRawExactly("Broken", raw));
  KeyContents contents;
  EXPECT_FALSE(access.ReadExactly(contents));
  ASSERT_TRUE(access.DeleteValue("Broken"));
  ASSERT_TRUE(access.ReadExactly(contents));
  EXPECT_EQ(contents.values.size(), 2u);

  // What the program writes is stored as it reads it.
  ASSERT_TRUE(access.WriteString("\u0418\u043C\u044F", scripts));
  EXPECT_EQ(access.ReadString("\u0418\u043C\u044F"), scripts);
}

}  // namespace
}  // namespace kelvane
