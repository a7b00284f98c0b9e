#include "core/settings_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/cp1252.h"
#include "core/file_io.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::vector<std::uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(gen());
  return bytes;
}

std::string Path(int i) { return "/home/spieler/Tipps/Schein " + std::to_string(i) + ".emt"; }

TEST(Cp1252, ConvertsBothWays) {
  // "Müller €5 – ß" in Windows-1252.
  const std::string cp = "M\xFCller \x80" "5 \x96 \xDF";
  const std::string utf8 = "Müller €5 – ß";
  EXPECT_EQ(Cp1252ToUtf8(cp), utf8);
  EXPECT_EQ(Utf8ToCp1252(utf8), cp);
  EXPECT_TRUE(FitsCp1252(utf8));
}

TEST(Cp1252, EveryByteSurvivesTheWayThereAndBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_TRUE(FitsCp1252(Cp1252ToUtf8(all)));
}

TEST(Cp1252, ForeignAndMalformedCharactersBecomeQuestionMarks) {
  const struct {
    std::string utf8, cp;
  } cases[] = {
      {"Dateien/\xE6\x97\xA5\xE6\x9C\xAC.emt", "Dateien/??.emt"},  // CJK
      {"a\xF0\x9F\x8E\xB2z", "a?z"},                                // 4-byte emoji
      {"a\xC3z", "a?z"},                                            // cut sequence
      {"a\xFF\xFEz", "a??z"},                                       // bytes never in UTF-8
      {"a\xC0\xAFz", "a??z"},                                       // overlong '/'
      {"a\xED\xA0\x80z", "a???z"},                                  // surrogate
      {"\xC2\x80", "?"},                                            // U+0080 is not in the code page
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp) << c.utf8;
    EXPECT_FALSE(FitsCp1252(c.utf8)) << c.utf8;
  }
  EXPECT_TRUE(FitsCp1252("a?b"));
}

TEST(Cp1252, CuttingNeverSplitsACharacter) {
  std::string umlauts;
  for (int i = 0; i < 300; ++i) umlauts += "ü";
  const std::string cut = CutToCp1252Length(umlauts, 255);
  EXPECT_EQ(cut.size(), 510u);  // 255 characters of two UTF-8 bytes each
  EXPECT_EQ(Utf8ToCp1252(cut).size(), 255u);

  const std::string mixed = std::string(254, 'a') + "\xF0\x9F\x8E\xB2" + "b";
  EXPECT_EQ(CutToCp1252Length(mixed, 255), std::string(254, 'a') + "\xF0\x9F\x8E\xB2");
  EXPECT_EQ(CutToCp1252Length(mixed, 254), std::string(254, 'a'));
  EXPECT_EQ(CutToCp1252Length("kurz", 255), "kurz");
}

TEST(SettingsRecord, FieldsSitAtTheirOffsets) {
  SettingsRecord r;
  r.recentSlips[0] = "C:\\Tipps\\Müller.emt";
  r.recentSlips[9] = "/x.emt";
  r.CBFilter = true;
  r.CBUpdates = true;
  r.ComboBZ = 3;
  r.ComboWZ = 44;
  r.ComboGar = kNoSelection;
  r.ComboBudget = 6;
  r.RG1 = 6;
  r.EReihen = -2;
  const auto bytes = EncodeSettingsRecord(r);
  ASSERT_EQ(bytes.size(), 2632u);
  std::vector<std::uint8_t> expected(2632, 0);
  const std::string first = "C:\\Tipps\\M\xFCller.emt";
  expected[0] = static_cast<std::uint8_t>(first.size());
  std::copy(first.begin(), first.end(), expected.begin() + 1);
  expected[9 * 256] = 6;
  std::copy_n("/x.emt", 6, expected.begin() + 9 * 256 + 1);
  expected[2560] = 1;  // CBFilter
  expected[2566] = 1;  // CBUpdates
  expected[2580] = 3;
  expected[2581] = 44;
  expected[2582] = 255;
  expected[2583] = 6;
  expected[2584] = 6;
  expected[2592] = 0xFE;  // -2, little-endian
  expected[2593] = 0xFF;
  expected[2594] = 0xFF;
  expected[2595] = 0xFF;
  EXPECT_EQ(bytes, expected);

  const SettingsRecord back = DecodeSettingsRecord(bytes.data());
  EXPECT_EQ(back.recentSlips, r.recentSlips);
  EXPECT_TRUE(back.CBFilter && back.CBUpdates);
  EXPECT_FALSE(back.CBStandardTC || back.CBStandardZuf || back.CBStandardZufDateien || back.CBGewinnreihen ||
               back.CBGewinnQuoten);
  EXPECT_EQ(back.ComboGar, kNoSelection);
  EXPECT_EQ(back.EReihen, -2);
}

TEST(SettingsRecord, FileWrittenBackIsIdenticalByteForByte) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.emo");
  // Arbitrary bytes: non-canonical Booleans, garbage behind each path, filled reserved areas.
  const auto original = RandomBytes(2632, 7);
  kwtest::WriteBytes(path, original);
  const SettingsLoad load = ReadSettingsFile(path);
  ASSERT_TRUE(load.present);
  ASSERT_FALSE(load.error);
  ASSERT_TRUE(WriteSettingsFile(path, load.record));
  EXPECT_EQ(kwtest::ReadBytes(path), original);
  ASSERT_TRUE(WriteSettingsFile(path, load.record));
  EXPECT_EQ(kwtest::ReadBytes(path), original);
}

TEST(SettingsRecord, ChangedFieldsAreWrittenCleanOthersKept) {
  auto bytes = RandomBytes(2632, 11);
  bytes[2560] = 0x7F;  // CBFilter: true, not canonical
  bytes[2561] = 0x02;  // CBStandardTC: true, not canonical
  bytes[2 * 256] = 10;  // entry 2 is a short path followed by garbage
  SettingsRecord r = DecodeSettingsRecord(bytes.data());
  ASSERT_TRUE(r.CBFilter);
  r.CBFilter = false;
  r.recentSlips[2] = "/neu.emt";
  const auto out = EncodeSettingsRecord(r);
  EXPECT_EQ(out[2560], 0);
  EXPECT_EQ(out[2561], 0x02);
  std::vector<std::uint8_t> entry(256, 0);
  entry[0] = 8;
  std::copy_n("/neu.emt", 8, entry.begin() + 1);
  EXPECT_EQ(std::vector<std::uint8_t>(out.begin() + 512, out.begin() + 768), entry);
  // Everything outside the changed entry and Boolean is as read.
  for (std::size_t i = 0; i < 2632; ++i) {
    if (i == 2560 || (i >= 512 && i < 768)) continue;
    ASSERT_EQ(out[i], bytes[i]) << "byte " << i;
  }
}

TEST(SettingsRecord, PathsAreCutTo255CharactersAndForeignCharactersLost) {
  SettingsRecord r;
  std::string longPath = "/";
  for (int i = 0; i < 200; ++i) longPath += "ä";
  longPath += std::string(100, 'x');
  r.recentSlips[0] = longPath;
  r.recentSlips[1] = "/Tipps/\xE6\x97\xA5.emt";
  const auto bytes = EncodeSettingsRecord(r);
  EXPECT_EQ(bytes[0], 255);
  const SettingsRecord back = DecodeSettingsRecord(bytes.data());
  EXPECT_EQ(back.recentSlips[0], CutToCp1252Length(longPath, 255));
  EXPECT_EQ(back.recentSlips[1], "/Tipps/?.emt");
}

TEST(SettingsFile, ReadingCases) {
  kwtest::TempDir dir;
  const auto recordA = RandomBytes(2632, 1), recordB = RandomBytes(2632, 2);
  std::vector<std::uint8_t> two = recordA;
  two.insert(two.end(), recordB.begin(), recordB.end());
  std::vector<std::uint8_t> partial = recordA;
  partial.insert(partial.end(), 5, 1);
  const struct {
    const char* name;
    std::optional<std::vector<std::uint8_t>> content;  // nullopt: no file
    bool present;
    bool error;
    const std::vector<std::uint8_t>* record;  // nullptr: zero record
  } cases[] = {
      {"missing", std::nullopt, false, false, nullptr},
      {"empty", std::vector<std::uint8_t>{}, true, false, nullptr},
      {"100 bytes", std::vector<std::uint8_t>(100, 1), false, true, nullptr},
      {"record and 5 bytes", partial, false, true, nullptr},
      {"one record", recordA, true, false, &recordA},
      {"two records, last counts", two, true, false, &recordB},
      {"1 MiB and more", std::vector<std::uint8_t>(2632 * 400, 0), false, true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.file(std::string(c.name) + ".emo");
    if (c.content) kwtest::WriteBytes(path, *c.content);
    const SettingsLoad load = ReadSettingsFile(path);
    EXPECT_EQ(load.present, c.present);
    ASSERT_EQ(load.error.has_value(), c.error);
    if (load.error) {
      EXPECT_NE(load.error->message.find(c.name), std::string::npos) << load.error->message;
    }
    const std::vector<std::uint8_t> zero(2632, 0);
    EXPECT_EQ(EncodeSettingsRecord(load.record), c.record ? *c.record : zero);
  }
}

TEST(SettingsFile, PartialRecordMessageNamesTheProblem) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.emo");
  kwtest::WriteBytes(path, std::vector<std::uint8_t>(100, 1));
  const SettingsLoad load = ReadSettingsFile(path);
  ASSERT_TRUE(load.error);
  EXPECT_EQ(load.error->message,
            "Die Datei \"Einstellungen.emo\" ist beschädigt: Mit 100 Bytes besteht sie nicht aus ganzen "
            "Einträgen zu je 2.632 Bytes.\r\rDas Programm startet ohne die gespeicherten Einstellungen.");
}

TEST(SettingsFile, FolderInPlaceOfFileIsAnErrorNotAbsence) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.emo");
  std::filesystem::create_directory(path);
  const SettingsLoad load = ReadSettingsFile(path);
  EXPECT_FALSE(load.present);
  EXPECT_TRUE(load.error);
}

TEST(SettingsFile, NoSelectionSurvivesSaveAndLoad) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.emo");
  SettingsRecord r;
  r.ComboBZ = StoredListIndex(-1);
  r.ComboWZ = StoredListIndex(0);
  r.ComboGar = StoredListIndex(-1);
  r.ComboBudget = StoredListIndex(6);
  ASSERT_TRUE(WriteSettingsFile(path, r));
  EXPECT_EQ(kwtest::ReadBytes(path).size(), 2632u);
  const SettingsRecord back = ReadSettingsFile(path).record;
  EXPECT_EQ(ListPosition(back.ComboBZ, BankerItems().size()), -1);
  EXPECT_EQ(ListPosition(back.ComboWZ, ChosenItems().size()), 0);
  EXPECT_EQ(ListPosition(back.ComboGar, GuaranteeItems().size()), -1);
  EXPECT_EQ(ListPosition(back.ComboBudget, BudgetItems().size()), 6);
}

TEST(SettingsFile, DamagedIndexSelectsNothing) {
  EXPECT_EQ(ListPosition(4, BankerItems().size()), -1);
  EXPECT_EQ(ListPosition(3, BankerItems().size()), 3);
  EXPECT_EQ(ListPosition(7, RandomRowItems().size()), -1);
  EXPECT_EQ(StoredListIndex(255), kNoSelection);
  EXPECT_EQ(StoredListIndex(254), 254);
}

TEST(SettingsFile, FailedSaveKeepsOldFile) {
  kwtest::TempDir dir;
  const std::string path = dir.file("Einstellungen.emo");
  SettingsRecord r;
  r.EReihen = 12;
  ASSERT_TRUE(WriteSettingsFile(path, r));
  const auto before = kwtest::ReadBytes(path);
  r.EReihen = 50;
  testing::SimulateDiskFullAfter(1000);
  const auto result = WriteSettingsFile(path, r);
  testing::SimulateDiskFullAfter(std::nullopt);
  ASSERT_FALSE(result);
  EXPECT_NE(result.error().message.find("Einstellungen.emo"), std::string::npos);
  EXPECT_EQ(kwtest::ReadBytes(path), before);
}

TEST(FileList, DeleteThirdOfTenThenAddFillsTheLastPlace) {
  SettingsRecord r;
  for (int i = 1; i <= 10; ++i) ASSERT_EQ(*AddRecentSlip(r, Path(i)), static_cast<std::size_t>(i - 1));
  const auto full = AddRecentSlip(r, Path(11));
  ASSERT_FALSE(full);
  EXPECT_EQ(full.error().message,
            "Die Datei-Liste kann maximal 10 Einträge umfassen.\r\rBitte löschen Sie einen bestehenden "
            "Eintrag über die rechte Maustaste.\r\rIch breche erst einmal ab.");
  EXPECT_EQ(r.recentSlips[9], Path(10));

  ASSERT_TRUE(RemoveRecentSlip(r, 2));
  for (std::size_t i = 2; i < 9; ++i) EXPECT_EQ(r.recentSlips[i], Path(static_cast<int>(i) + 2));
  EXPECT_EQ(r.recentSlips[9], "");
  ASSERT_EQ(*AddRecentSlip(r, Path(11)), 9u);
  EXPECT_EQ(r.recentSlips[9], Path(11));

  // After the shift every entry is written clean: no tail of an earlier longer path.
  const auto bytes = EncodeSettingsRecord(r);
  const SettingsRecord back = DecodeSettingsRecord(bytes.data());
  EXPECT_EQ(back.recentSlips, r.recentSlips);
  EXPECT_FALSE(RemoveRecentSlip(r, 10));
}

TEST(FileList, AddFillsFirstGap) {
  SettingsRecord r;
  r.recentSlips[0] = Path(1);
  r.recentSlips[2] = Path(3);  // a gap left by a hand-edited file
  EXPECT_EQ(*AddRecentSlip(r, Path(2)), 1u);
  EXPECT_EQ(*AddRecentSlip(r, Path(2)), 3u);  // the same file may stand twice
  EXPECT_FALSE(AddRecentSlip(r, ""));
}

// Such paths were once stored with '?' or cut short, and the slip stayed closed after every restart.
TEST(FileList, RefusesPathsTheFileCannotHoldWhole) {
  struct Case {
    const char* what;
    std::string path;
    const char* says;  // empty: accepted
  };
  const std::string longest = "/" + std::string(250, 'y') + ".emt";  // 255 bytes
  const Case cases[] = {
      {"umlauts and euro sign fit", "/home/spieler/Schein März € 2024.emt", ""},
      {"255 characters fit", longest, ""},
      {"Greek letters", "/home/spieler/Σχέδιο.emt", "enthält Zeichen, die die Datei-Liste nicht speichern kann"},
      {"Polish letters", "C:/Gracze/Łódź/Schein.emt", "enthält Zeichen, die die Datei-Liste nicht speichern kann"},
      {"emoji", "/home/spieler/\xF0\x9F\x8E\xB2.emt", "enthält Zeichen, die die Datei-Liste nicht speichern kann"},
      {"256 characters", longest + "x", "ist zu lang für die Datei-Liste"},
      {"300 characters", "/" + std::string(300, 'y') + ".emt", "ist zu lang für die Datei-Liste"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRecord r;
    const auto added = AddRecentSlip(r, c.path);
    if (*c.says == '\0') {
      ASSERT_TRUE(added) << added.error().message;
      // The entry comes back from the file exactly as given.
      const SettingsRecord back = DecodeSettingsRecord(EncodeSettingsRecord(r).data());
      EXPECT_EQ(back.recentSlips[*added], c.path);
    } else {
      ASSERT_FALSE(added);
      EXPECT_EQ(added.error().kind, ErrorKind::Refused);
      EXPECT_NE(added.error().message.find(c.says), std::string::npos) << added.error().message;
      EXPECT_NE(added.error().message.find("Ich breche erst einmal ab."), std::string::npos);
      EXPECT_EQ(r.recentSlips[0], "");
    }
  }
}

TEST(FileList, RowsShowOnlyExistingFilesAndDeleteTheRightEntry) {
  kwtest::TempDir dir;
  SettingsRecord r;
  r.recentSlips[0] = dir.file("A.emt");
  r.recentSlips[1] = dir.file("Weg.emt");  // deleted since
  r.recentSlips[2] = dir.file("C.Sicherung.emt");
  kwtest::WriteBytes(r.recentSlips[0], {});
  kwtest::WriteBytes(r.recentSlips[2], {});
  const auto rows = ExistingRecentSlips(r);
  ASSERT_EQ(rows, (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(SlipDisplayName(r.recentSlips[rows[1]]), "C.Sicherung");
  // Deleting the second row removes "C", not the hidden missing entry.
  ASSERT_TRUE(RemoveRecentSlip(r, rows[1]));
  EXPECT_EQ(r.recentSlips[1], dir.file("Weg.emt"));
  EXPECT_EQ(r.recentSlips[2], "");
}

TEST(ItemLists, MatchTheSettingsWindow) {
  EXPECT_EQ(BankerItems(), (std::vector<std::string>{"egal", "0", "1", "2"}));
  const auto chosen = ChosenItems();
  ASSERT_EQ(chosen.size(), 45u);
  EXPECT_EQ(chosen[0], "egal");
  EXPECT_EQ(chosen[1], "7");
  EXPECT_EQ(chosen[44], "50");
  EXPECT_EQ(GuaranteeItems(), (std::vector<std::string>{"egal", "2", "3", "4", "5"}));
  EXPECT_EQ(BudgetItems(),
            (std::vector<std::string>{"egal", "bis 20", "21 - 50", "51 - 100", "101 - 200", "201 - 500", "über 1000"}));
  EXPECT_EQ(RandomRowItems(), (std::vector<std::string>{"5", "6", "10", "12", "20", "50", "frei:"}));
}

}  // namespace
}  // namespace kw
