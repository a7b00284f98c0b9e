#include "core/tip_text.h"

#include <gtest/gtest.h>

#include "core/slip_file.h"

namespace kw {
namespace {

const std::string kAbort = "\r\rIch breche erst einmal ab.";
const std::string kHint =
    "\r\rBitte geben Sie Ihre Tippzahlen, 5 aus 50 und 2 aus 12 zeilenweise, jeweils durch Kommata getrennt ein.";
const std::string kNoSeven = "In Zeile 1 kann ich keine sieben Zahlen ausmachen." + kHint + kAbort;
const TipRow kRow = {2, 7, 12, 22, 38, 4, 7};

// Records every question and answers with a fixed decision.
struct FakeUser {
  BlanksDecision answer = BlanksDecision::Cancel;
  std::vector<std::string> questions;
  AskBlanks ask() {
    return [this](const std::string& q) {
      questions.push_back(q);
      return answer;
    };
  }
};

TEST(SplitTipLines, EveryLineBreakKindSeparatesAndAFinalBreakAddsNoLine) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"1,2", {"1,2"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\r\n", {"", ""}},
      {"\n\r", {"", ""}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitTipLines(c.text), c.lines) << c.text;
}

struct AcceptCase {
  const char* text;
  bool check;
  BlanksDecision answer;
};

TEST(ParseTipText, AcceptsEveryWrittenFormOfOneRow) {
  const AcceptCase cases[] = {
      {"2,7,12,22,38,4,7", false, BlanksDecision::Cancel},
      {"2,7,12,22,38,4,7", true, BlanksDecision::Cancel},
      {"2;7;12;22;38;4;7", true, BlanksDecision::Cancel},
      {"2, 7 ,12,22,,38,4,7", true, BlanksDecision::Cancel},
      {"2,7,12,22,38,4,7,", true, BlanksDecision::Cancel},
      {"2  7 12 22 38 4 7", true, BlanksDecision::Separators},
      {"2 ; 7 ;  12;22;38;4;7 ;", true, BlanksDecision::Cancel},
      {" 2,  7,+12,022,38,4,7", false, BlanksDecision::Cancel},  // leading blanks, sign, zeros
  };
  for (const auto& c : cases) {
    FakeUser user{c.answer, {}};
    std::vector<std::string> lines{c.text};
    const TipParse p = ParseTipText(lines, c.check, user.ask());
    ASSERT_EQ(p.status, TipParse::Status::Ok) << c.text << ": " << p.message;
    EXPECT_EQ(p.rows, std::vector<TipRow>{kRow}) << c.text;
    if (c.check) {
      EXPECT_EQ(lines[0], "2,7,12,22,38,4,7") << c.text;
    }
  }
}

TEST(ParseTipText, BlanksQuestionDecidesWhatBlanksAre) {
  const std::string question =
      "Dienen die vorhandenen Leerzeichen der Trennung der Zahlen?\r\r"
      "Wenn Sie mit \"Nein\" antworten, sind sie überflüssig und werden gelöscht.\r\r"
      "Wenn Sie mit \"Ja\" antworten, werden die Leerzeichen in Kommata umgewandelt.";
  {
    FakeUser no{BlanksDecision::Superfluous, {}};
    std::vector<std::string> lines{"2  7 12 22 38 4 7"};
    const TipParse p = ParseTipText(lines, true, no.ask());
    EXPECT_EQ(p.status, TipParse::Status::Refused);
    EXPECT_EQ(p.message, kNoSeven);
    EXPECT_EQ(lines[0], "2712223847");
    EXPECT_EQ(no.questions, std::vector<std::string>{question});
  }
  {
    // Cancel keeps what was tidied so far and says nothing more.
    FakeUser cancel{BlanksDecision::Cancel, {}};
    std::vector<std::string> lines{"2  7 12;22 , 38,4,7,", "1,2,3,4,5,6,7"};
    const TipParse p = ParseTipText(lines, true, cancel.ask());
    EXPECT_EQ(p.status, TipParse::Status::Cancelled);
    EXPECT_TRUE(p.message.empty());
    EXPECT_TRUE(p.rows.empty());
    EXPECT_EQ(lines, (std::vector<std::string>{"2 7 12,22,38,4,7,", "1,2,3,4,5,6,7"}));
  }
  {
    // One question for the whole text, none without blanks or with check off.
    FakeUser yes{BlanksDecision::Separators, {}};
    std::vector<std::string> lines{"1 2 3 4 5 6 7", "8 9 10 11 12 1 2", "13,14,15,16,17,3,4"};
    EXPECT_EQ(ParseTipText(lines, true, yes.ask()).status, TipParse::Status::Ok);
    EXPECT_EQ(yes.questions.size(), 1u);
    std::vector<std::string> plain{"1,2,3,4,5,6,7"};
    EXPECT_EQ(ParseTipText(plain, true, yes.ask()).status, TipParse::Status::Ok);
    std::vector<std::string> unchecked{"1, 2,3,4,5,6,7"};
    EXPECT_EQ(ParseTipText(unchecked, false, yes.ask()).status, TipParse::Status::Ok);
    EXPECT_EQ(yes.questions.size(), 1u);
  }
  {
    // Without anyone to ask, blanks cancel rather than crash.
    std::vector<std::string> lines{"1 2 3 4 5 6 7"};
    EXPECT_EQ(ParseTipText(lines, true, AskBlanks{}).status, TipParse::Status::Cancelled);
  }
}

struct RefuseCase {
  std::vector<std::string> lines;
  bool check;
  std::string message;
};

TEST(ParseTipText, RefusesWithTheFirstFaultsMessage) {
  const std::string range = "\r\rDie fünf Tippzahlen sind aus der Zahlenreihe 1 bis 50 zu wählen." + kAbort;
  const std::string starRange = "\r\rDie beiden Sternzahlen sind aus der Zahlenreihe 1 bis 12 zu wählen." + kAbort;
  const std::string dup = "\r\rBitte wählen Sie fünf verschiedene Tippzahlen aus der Zahlenreihe 1 bis 50." + kAbort;
  const std::string starDup = "\r\rBitte wählen Sie zwei verschiedene Zahlen aus der Zahlenreihe 1 bis 12." + kAbort;
  const std::string empty = "Das Textfeld ist leer. Es gibt nichts zu übertragen." + kAbort;
  const RefuseCase cases[] = {
      {{}, true, empty},
      {{""}, false, empty},
      {{"1,2,3,4,5,6,13"}, true,
       "In Zeile 1 ist die 7. Zahl, die 13, keine gültige Sternzahl.\r\rDie beiden Sternzahlen sind aus der "
       "Zahlenreihe 1 bis 12 zu wählen.\r\rIch breche erst einmal ab."},
      {{"1,2,3,4,1,6,7"}, true, "In Zeile 1 ist die 1. und die 5. Zahl gleich." + dup},
      {{"1,2,3,4,5,6,6"}, true, "In Zeile 1 sind die beiden Sternzahlen gleich." + starDup},
      {{"1,2,3,4,5,6,7", "9,9,9,9,9,1,2"}, true, "In Zeile 2 ist die 1. und die 2. Zahl gleich." + dup},
      {{"1,2,3,4,5,7,6", "1,2,3,3,4,1,2"}, true, "In Zeile 2 ist die 3. und die 4. Zahl gleich." + dup},
      {{"1,2,3,4,5,0,6"}, true, "In Zeile 1 ist die 6. Zahl, die 0, keine gültige Sternzahl." + starRange},
      {{"1,2,3,51,5,6,7"}, true, "In Zeile 1 ist die 4. Zahl, die 51, keine gültige Tippzahl." + range},
      {{"1,2,3,-3,5,6,7"}, false, "In Zeile 1 ist die 4. Zahl, die -3, keine gültige Tippzahl." + range},
      // The range pass covers every line before duplicates are looked at.
      {{"1,1,3,4,5,6,7", "1,2,3,4,5,6,7", "1,2,3,4,5,6,13"}, true,
       "In Zeile 3 ist die 7. Zahl, die 13, keine gültige Sternzahl." + starRange},
      // Conversion comes before any range check.
      {{"1,2,3,4,5,6,99", "1,2,3,4,5,6,x"}, true, "'x' ist kein gültiger Integerwert"},
      {{"2;7;12;22;38;4;7"}, false, "'2;7;12;22;38;4;7' ist kein gültiger Integerwert"},
      {{"2 ,7,12,22,38,4,7"}, false, "'2 ' ist kein gültiger Integerwert"},
      {{"1,2,3,4,5,6,99999999999"}, true, "'99999999999' ist kein gültiger Integerwert"},
      {{"1,2,3,4,5,6,2147483648"}, false, "'2147483648' ist kein gültiger Integerwert"},
      {{"1,2,3,,,,4,5,6"}, true, "'' ist kein gültiger Integerwert"},  // ",,,," only halves
      {{"1,2,3,4,5,6,7", ""}, false,
       "In Zeile 2 ist die 1. Zahl, die 0, keine gültige Tippzahl." + range},  // missing fields are 0
      {{"1,2,3,4,5"}, false, "In Zeile 1 ist die 6. Zahl, die 0, keine gültige Sternzahl." + starRange},
      {{"1,2,3,4,5,6,7", "1,2,3,4,5,6,7,8"}, false, "In Zeile 2 stehen mehr als sieben Zahlen." + kHint + kAbort},
      {{"1,2,3,4,5,6,7,"}, false, "In Zeile 1 stehen mehr als sieben Zahlen." + kHint + kAbort},
      {{"1,2,3,4,5,6,7", ""}, true, "In Zeile 2 kann ich keine sieben Zahlen ausmachen." + kHint + kAbort},
      {{"1,,,2,3,4,5,6,7"}, true, kNoSeven},  // ",,," becomes ",,": still seven commas
      {{"1,2,3,4,5,6"}, true, kNoSeven},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines = c.lines;
    FakeUser user;
    const TipParse p = ParseTipText(lines, c.check, user.ask());
    EXPECT_EQ(p.status, TipParse::Status::Refused) << c.message;
    EXPECT_EQ(p.message, c.message);
    EXPECT_TRUE(p.rows.empty());
    EXPECT_TRUE(user.questions.empty());
  }
}

TEST(ParseTipText, TidiedLinesAreHandedBackEvenWhenRefused) {
  std::vector<std::string> lines{"1;2;3,", "4 ,, 5;;;6"};
  const TipParse p = ParseTipText(lines, true, AskBlanks{});
  EXPECT_EQ(p.status, TipParse::Status::Refused);
  EXPECT_EQ(lines, (std::vector<std::string>{"1,2,3", "4,5,,6"}));
}

TEST(ParseTipText, HugeTextParsesEveryLine) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += std::to_string(1 + i % 46) + "  ; 47,48 49 50, 1 ,12\r\n";
  std::vector<std::string> lines = SplitTipLines(text);
  ASSERT_EQ(lines.size(), 100000u);
  FakeUser yes{BlanksDecision::Separators, {}};
  const TipParse p = ParseTipText(lines, true, yes.ask());
  ASSERT_EQ(p.status, TipParse::Status::Ok) << p.message;
  ASSERT_EQ(p.rows.size(), 100000u);
  EXPECT_EQ(p.rows[99999], (TipRow{1 + 99999 % 46, 47, 48, 49, 50, 1, 12}));
  EXPECT_EQ(lines[5], "6,47,48,49,50,1,12");
  EXPECT_EQ(yes.questions.size(), 1u);

  // A single line of 100,000 fields is refused at the eighth.
  std::string wide;
  for (int i = 0; i < 100000; ++i) wide += "1,";
  std::vector<std::string> one{wide};
  EXPECT_EQ(ParseTipText(one, false, AskBlanks{}).message,
            "In Zeile 1 stehen mehr als sieben Zahlen." + kHint + kAbort);
}

TEST(ParseTipText, BinaryInputIsRefusedNotTrusted) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
  binary += std::string("\0\0\xFF\xFF,,;  ", 10);
  for (bool check : {false, true}) {
    std::vector<std::string> lines = SplitTipLines(binary);
    const TipParse p = ParseTipText(lines, check, [](const std::string&) { return BlanksDecision::Separators; });
    EXPECT_EQ(p.status, TipParse::Status::Refused);
    EXPECT_FALSE(p.message.empty());
  }
  // A NUL byte behind a number is no digit.
  std::vector<std::string> lines{std::string("1,2,3,4,5,6,7\0", 14)};
  EXPECT_EQ(ParseTipText(lines, true, AskBlanks{}).message, std::string("'7") + '\0' + "' ist kein gültiger Integerwert");
  std::vector<std::string> high{"1,2,3,4,5,6,\xFF"};
  EXPECT_EQ(ParseTipText(high, false, AskBlanks{}).message, "'\xFF' ist kein gültiger Integerwert");
}

class PlaceTipRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUpTipTable(table);
    for (int r = 1; r <= 7; ++r)
      if (r != 5) FillRow(r, "9");
  }
  void FillRow(int r, const std::string& text) {
    for (int c = 1; c <= 7; ++c) table.setCell(c, r, text);
  }
  std::vector<std::string> Row(int r) const {
    std::vector<std::string> cells;
    for (int c = 0; c <= 7; ++c) cells.push_back(table.cell(c, r));
    return cells;
  }
  TextTable table;
};

TEST_F(PlaceTipRowsTest, RowsStandSortedWhateverTheTypedOrder) {
  std::vector<std::string> lines{"38,2,22,7,12,7,4", "2,7,12,22,38,4,7"};
  const TipParse p = ParseTipText(lines, true, AskBlanks{});
  ASSERT_EQ(p.status, TipParse::Status::Ok);
  EXPECT_EQ(p.rows[0], (TipRow{38, 2, 22, 7, 12, 7, 4}));  // as typed
  PlaceTipRows(p.rows, table, false);
  ASSERT_EQ(table.rowCount(), 3);
  const std::vector<std::string> expected{"1", "2", "7", "12", "22", "38", "4", "7"};
  EXPECT_EQ(Row(1), expected);
  EXPECT_EQ(Row(2), (std::vector<std::string>{"2", "2", "7", "12", "22", "38", "4", "7"}));
}

TEST_F(PlaceTipRowsTest, AppendingFollowsTheRowsBeforeTheFirstGap) {
  PlaceTipRows({{1, 2, 3, 4, 5, 1, 2}, {6, 7, 8, 9, 10, 3, 4}}, table, true);
  ASSERT_EQ(table.rowCount(), 7);  // rows 1-4 kept, 5-6 new, the old rows 6 and 7 are gone
  EXPECT_EQ(Row(4)[1], "9");
  EXPECT_EQ(Row(5), (std::vector<std::string>{"5", "1", "2", "3", "4", "5", "1", "2"}));
  EXPECT_EQ(Row(6), (std::vector<std::string>{"6", "6", "7", "8", "9", "10", "3", "4"}));

  // Appending to a table whose row 1 is empty is overwriting.
  table.setCell(1, 1, "");
  PlaceTipRows({{11, 12, 13, 14, 15, 5, 6}}, table, true);
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(Row(1), (std::vector<std::string>{"1", "11", "12", "13", "14", "15", "5", "6"}));

  // Appending past the end grows the table.
  TextTable grown;
  SetUpTipTable(grown);
  std::vector<TipRow> many(30, TipRow{1, 2, 3, 4, 5, 1, 2});
  PlaceTipRows(many, grown, true);
  PlaceTipRows(many, grown, true);
  EXPECT_EQ(grown.rowCount(), 61);
  EXPECT_EQ(grown.cell(0, 60), "60");
}

TEST_F(PlaceTipRowsTest, RowWithEqualValuesLeavesNoStaleCell) {
  PlaceTipRows({{5, 5, 1, 1, 3, 2, 2}}, table, false);
  EXPECT_EQ(Row(1), (std::vector<std::string>{"1", "1", "1", "3", "5", "5", "2", "2"}));
}

}  // namespace
}  // namespace kw
