#include "core/settings_ini.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

std::string Text(const std::string& path) {
  const auto bytes = kwtest::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) {
  kwtest::WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST(IniFile, MissingFileGivesEveryDefault) {
  kwtest::TempDir dir;
  const IniFile ini = IniFile::Load(dir.file("Einstellungen.ini"));
  EXPECT_FALSE(ini.existed());
  EXPECT_FALSE(ini.loadError());
  EXPECT_TRUE(ini.read(ini::kAuswertungAlle));
  EXPECT_EQ(ini.read(ini::kSysTestCheck), 0);
  EXPECT_EQ(ini.read(ini::kSysTestTreffer), 3);
  EXPECT_EQ(ini.read(ini::kQuotenSpalte), 4);
  EXPECT_EQ(ini.read(ini::kEingabeOver), 1);
  EXPECT_EQ(ini.read(ini::kEingabeTabelle), 1);
  EXPECT_TRUE(ini.read(ini::kEingabeProof));
  EXPECT_EQ(ini.read(ini::kDruckJoker), 0);
  EXPECT_EQ(ini.read(ini::kDruckZiehungen), 0);
  EXPECT_TRUE(ini.read(ini::kDruckNr));
  EXPECT_EQ(ini.read(ini::kDruckHKorr), "250");
  EXPECT_EQ(ini.read(ini::kDruckVKorr), "");
}

TEST(IniFile, ValuesAsWindowsReadsThem) {
  const IniFile ini = IniFile::Parse(
      "[Test]\r\n"
      "eins=1\r\nnull=0\r\nfuenf=5\r\nminus=-1\r\n"
      "wort=ja\r\nleer=\r\nkomma=1,5\r\nriesig=99999999999\r\nhalb=12abc\r\n"
      "  blanks  =  7  \r\n"
      "zitat=\" mit Blanks \"\r\n"
      "; kommentar=1\r\n");
  const struct {
    const char* key;
    int asInt;     // default 42
    bool asTrue;   // default true
    bool asFalse;  // default false
  } cases[] = {
      {"eins", 1, true, true},       {"null", 0, false, false},     {"fuenf", 5, true, true},
      {"minus", -1, true, true},     {"wort", 42, true, false},     {"leer", 42, true, false},
      {"komma", 42, true, false},    {"riesig", 42, true, false},   {"halb", 42, true, false},
      {"BLANKS", 7, true, true},     {"fehlt", 42, true, false},    {"; kommentar", 42, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(ini.readInt("test", c.key, 42), c.asInt);
    EXPECT_EQ(ini.readBool("TEST", c.key, true), c.asTrue);
    EXPECT_EQ(ini.readBool("Test", c.key, false), c.asFalse);
  }
  EXPECT_EQ(ini.readString("Test", "zitat", "x"), " mit Blanks ");
  EXPECT_EQ(ini.readString("Test", "leer", "x"), "");
  EXPECT_EQ(ini.readString("Test", "fehlt", "x"), "x");
  EXPECT_EQ(ini.readString("Anderes", "eins", "x"), "x");
}

TEST(IniFile, OutOfRangeIntegerOfAKnownKeyReadsAsDefault) {
  const IniFile ini = IniFile::Parse("[SysTest]\nTreffer=9\ncheck=1\n[Quoten]\nSpalte=0\n[Eingabe]\nTabelle=10\n");
  EXPECT_EQ(ini.read(ini::kSysTestTreffer), 3);
  EXPECT_EQ(ini.read(ini::kSysTestCheck), 1);
  EXPECT_EQ(ini.read(ini::kQuotenSpalte), 4);
  EXPECT_EQ(ini.read(ini::kEingabeTabelle), 10);
}

TEST(IniFile, FreshFileHoldsOnlyTheSectionsWritten) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.ini");
  ASSERT_TRUE(UpdateIniFile(path, [](IniFile& ini) { ini.write(ini::kAuswertungAlle, false); }));
  EXPECT_EQ(Text(path), "[Auswertung]\r\nAlle=0\r\n");
  ASSERT_TRUE(UpdateIniFile(path, [](IniFile& ini) {
    ini.write(ini::kDruckNr, true);
    ini.write(ini::kDruckHKorr, "-30");
    ini.write(ini::kDruckJoker, 2);
  }));
  EXPECT_EQ(Text(path), "[Auswertung]\r\nAlle=0\r\n[Druck]\r\nNr=1\r\nhKorr=-30\r\nJoker=2\r\n");
  const IniFile back = IniFile::Load(path);
  EXPECT_TRUE(back.existed());
  EXPECT_FALSE(back.read(ini::kAuswertungAlle));
  EXPECT_EQ(back.read(ini::kDruckJoker), 2);
  EXPECT_EQ(back.read(ini::kDruckHKorr), "-30");
}

TEST(IniFile, WritingOneSectionKeepsEverythingElse) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.ini");
  WriteText(path,
            "; von Hand ergänzt\n"
            "[eingabe]\n"
            "OVER = 0\n"
            "Fremd=bleibt\n"
            "\n"
            "[Quoten]\n"
            "Spalte=6\n"
            "Zeile ohne Gleichheitszeichen\n"
            "\n"
            "[Update]\n"
            "Server=http://127.0.0.1:8080/\n");
  ASSERT_TRUE(UpdateIniFile(path, [](IniFile& ini) {
    ini.write(ini::kEingabeOver, 1);
    ini.write(ini::kEingabeTabelle, 4);
  }));
  EXPECT_EQ(Text(path),
            "; von Hand ergänzt\n"
            "[eingabe]\n"
            "OVER=1\n"
            "Fremd=bleibt\n"
            "Tabelle=4\n"
            "\n"
            "[Quoten]\n"
            "Spalte=6\n"
            "Zeile ohne Gleichheitszeichen\n"
            "\n"
            "[Update]\n"
            "Server=http://127.0.0.1:8080/\n");
  const IniFile ini = IniFile::Load(path);
  EXPECT_EQ(ini.read(ini::kQuotenSpalte), 6);
  EXPECT_EQ(ini.read(ini::kUpdateServer), "http://127.0.0.1:8080/");
}

TEST(IniFile, UnchangedFileIsWrittenBackAsItWas) {
  const std::string texts[] = {
      "[A]\r\nx=1\r\n\r\n[B]\r\n;c\r\ny = \"2\"\r\n",
      "\xEF\xBB\xBF[A]\nx=1\n",
      "",
  };
  for (const auto& t : texts) EXPECT_EQ(IniFile::Parse(t).text(), t);
}

TEST(IniFile, StringValuesComeBackExactly) {
  const std::string values[] = {"250", "", " 12 ", "\"zitiert\"", "'", "a=b", "Zeile\r\nfremd=1"};
  IniFile ini;
  for (const auto& v : values) {
    ini.writeString("Druck", "vKorr", v);
    const IniFile back = IniFile::Parse(ini.text());
    std::string expected = v;
    for (char& c : expected) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    EXPECT_EQ(back.readString("Druck", "vKorr", "x"), expected) << v;
    EXPECT_FALSE(back.hasKey("Druck", "fremd")) << "a value must not add keys";
  }
}

TEST(IniFile, FirstOfDuplicateSectionsAndKeysCounts) {
  IniFile ini = IniFile::Parse("[A]\nk=1\nk=2\n[a]\nk=3\n");
  EXPECT_EQ(ini.readInt("A", "k", 0), 1);
  ini.writeInt("a", "K", 9);
  EXPECT_EQ(ini.text(), "[A]\nk=9\nk=2\n[a]\nk=3\n");
}

TEST(IniFile, BinaryGarbageReadsAsSomethingHarmless) {
  const char bytes[] = "\0[\xFF]=\n=\x01\r\r\n[Auswertung\nAlle=0\0\n[]\n=\n";
  const std::string garbage(bytes, sizeof bytes - 1);
  IniFile ini = IniFile::Parse(garbage);
  EXPECT_TRUE(ini.read(ini::kAuswertungAlle));  // "0\0" is no number
  ini.write(ini::kAuswertungAlle, false);
  EXPECT_FALSE(IniFile::Parse(ini.text()).read(ini::kAuswertungAlle));
}

TEST(IniFile, OversizedFileReadsEmptyAndIsNotOverwritten) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.ini");
  std::string big = "[Auswertung]\nAlle=0\n" + std::string(1024 * 1024, ';');
  WriteText(path, big);
  const IniFile ini = IniFile::Load(path);
  EXPECT_TRUE(ini.existed());
  ASSERT_TRUE(ini.loadError());
  EXPECT_TRUE(ini.read(ini::kAuswertungAlle));
  const auto result = UpdateIniFile(path, [](IniFile& f) { f.write(ini::kAuswertungAlle, true); });
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().message.find("Einstellungen.ini"), std::string::npos);
  EXPECT_EQ(Text(path).size(), big.size());
}

TEST(IniFile, FailedSaveKeepsOldFile) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.ini");
  WriteText(path, "[Quoten]\nSpalte=2\n");
  testing::SimulateDiskFullAfter(5);
  const auto result = UpdateIniFile(path, [](IniFile& f) { f.write(ini::kQuotenSpalte, 7); });
  testing::SimulateDiskFullAfter(std::nullopt);
  EXPECT_FALSE(result);
  EXPECT_EQ(Text(path), "[Quoten]\nSpalte=2\n");
}

}  // namespace
}  // namespace kw
