#include "core/csv_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/dates.h"
#include "core/draw_history.h"
#include "core/file_io.h"
#include "support/draws.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

const std::string kAbort = "\r\rIch breche den Import ab, es wurde nichts geändert.";

std::string SharedText(const std::string& name) {
  std::ifstream in(kwtest::HistoryDataFile(name), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

using kwtest::MakeDraw;

struct DataDir {
  kwtest::TempDir dir;
  DataSet state;
  DataDir() { state.DataDir = dir.path(); }
  std::string draws() const { return dir.file(kDrawsFileName); }
  std::string quotas() const { return dir.file(kQuotasFileName); }
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(CsvImport, RealFilesIntoAnEmptyFolderAndAgain) {
  DataDir d;
  const std::string drawsCsv = SharedText("draws.csv"), quotasCsv = SharedText("quotas.csv");
  ASSERT_FALSE(drawsCsv.empty());

  const auto drawsAdded = ImportDrawsCsv(d.state, drawsCsv);
  ASSERT_TRUE(drawsAdded) << drawsAdded.error().message;
  EXPECT_EQ(drawsAdded->added, 1974);
  EXPECT_EQ(drawsAdded->alreadyPresent, 0);
  EXPECT_EQ(DrawImportSummaryText(*drawsAdded), "1974 Ausspielungen übernommen, 0 waren bereits vorhanden.");
  EXPECT_EQ(d.state.Draws.front(), MakeDraw(2004, 2, 13, {16, 29, 32, 36, 41}, {7, 9}));
  EXPECT_EQ(DateText(d.state.Draws.back().datum), "21.08.2026");

  // What was written is a sound history file.
  DataSet reloaded;
  reloaded.DataDir = d.state.DataDir;
  ASSERT_TRUE(LoadDraws(reloaded));
  EXPECT_EQ(reloaded.Draws, d.state.Draws);

  const auto quotasMerged = ImportQuotasCsv(d.state, quotasCsv);
  ASSERT_TRUE(quotasMerged) << quotasMerged.error().message;
  EXPECT_EQ(quotasMerged->merged, 1974);
  EXPECT_EQ(quotasMerged->unknownDates, 0);
  const auto quotas = DecodeQuotaRecords(kwtest::ReadBytes(d.quotas()));
  ASSERT_EQ(quotas.size(), 1974u);
  EXPECT_EQ(quotas, d.state.Quotas);
  for (std::size_t i = 0; i < quotas.size(); ++i) ASSERT_EQ(quotas[i].datum, d.state.Draws[i].datum) << i;
  // 13.02.2004;15000000,00;2236394,80;...;11,10;  (no class 13 before 2011)
  EXPECT_EQ(quotas[0].amount(1), 15000000.0f);
  EXPECT_EQ(quotas[0].amount(2), 2236394.80f);
  EXPECT_EQ(quotas[0].amount(12), 11.10f);
  EXPECT_EQ(quotas[0].amount(13), -1.0f);
  EXPECT_EQ(quotas[1].amount(1), 0.0f);  // nobody won: 0, not unknown
  // The data's own account: 1,947 draws with amounts (27 with none), 1,229 with all thirteen.
  auto known = [](const TQuoten& q, bool all) {
    int n = 0;
    for (int k = 1; k <= 13; ++k) n += q.amount(k) >= 0.0f;
    return all ? n == 13 : n > 0;
  };
  int any = 0, all = 0;
  for (const auto& q : quotas) {
    any += known(q, false);
    all += known(q, true);
  }
  EXPECT_EQ(any, 1947);
  EXPECT_EQ(all, 1229);

  const auto drawBytes = kwtest::ReadBytes(d.draws()), quotaBytes = kwtest::ReadBytes(d.quotas());
  const auto again = ImportDrawsCsv(d.state, drawsCsv);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->added, 0);
  EXPECT_EQ(again->alreadyPresent, 1974);
  const auto quotasAgain = ImportQuotasCsv(d.state, quotasCsv);
  ASSERT_TRUE(quotasAgain);
  EXPECT_EQ(quotasAgain->merged, 1974);
  EXPECT_EQ(kwtest::ReadBytes(d.draws()), drawBytes);
  EXPECT_EQ(kwtest::ReadBytes(d.quotas()), quotaBytes);
  EXPECT_EQ(d.state.Draws.size(), 1974u);
}

TEST(CsvImport, AppendsOnlyTheTailAfterTheHistory) {
  DataDir d;
  const std::string all = SharedText("draws.csv");
  std::size_t cut = 0;
  for (int lines = 0; lines < 101; ++lines) cut = all.find('\n', cut) + 1;  // header + 100 draws
  ASSERT_TRUE(ImportDrawsCsv(d.state, all.substr(0, cut)));
  ASSERT_EQ(d.state.Draws.size(), 100u);
  const auto rest = ImportDrawsCsv(d.state, all);
  ASSERT_TRUE(rest) << rest.error().message;
  EXPECT_EQ(rest->added, 1874);
  EXPECT_EQ(rest->alreadyPresent, 100);
  EXPECT_EQ(kwtest::ReadBytes(d.draws()).size(), 1974u * 16);
}

TEST(CsvImport, AcceptsSeparatorsDateFormsHeadersAndLineEnds) {
  const std::vector<TGewZahlen> expected = {MakeDraw(2024, 3, 15, {1, 7, 22, 38, 50}, {3, 12}),
                                            MakeDraw(2024, 3, 19, {4, 5, 6, 7, 8}, {1, 2})};
  const char* texts[] = {
      "Datum;Z1;Z2;Z3;Z4;Z5;S1;S2\n15.03.2024;1;7;22;38;50;3;12\n19.03.2024;4;5;6;7;8;1;2\n",
      "\xEF\xBB\xBF" "DATUM;Z1;Z2;Z3;Z4;Z5;S1;S2\r\n15.03.2024;1;7;22;38;50;3;12\r\n19.03.2024;4;5;6;7;8;1;2\r\n\r\n\r\n",
      "2024-03-15,1,7,22,38,50,3,12\n2024-03-19,4,5,6,7,8,1,2",
      "datum\tz1\tz2\tz3\tz4\tz5\ts1\ts2\n15.3.2024\t1\t7\t22\t38\t50\t3\t12\n19.03.2024\t4\t5\t6\t7\t8\t1\t2\n",
      // numbers in drawing order are stored ascending; quotes and blanks around fields are fine
      "\"Datum\";\"Z1\";Z2;Z3;Z4;Z5;S1;S2\n\"15.03.2024\"; 50 ;38;22;7;1;12;3\n19.03.2024;8;7;6;5;4;2;1\n",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const auto parsed = ParseDrawsCsv(text);
    ASSERT_TRUE(parsed) << parsed.error().message;
    EXPECT_EQ(*parsed, expected);
  }
}

TEST(CsvImport, AcceptsAmountsInEachSeparatorsConvention) {
  const char* texts[] = {
      "Datum;GK1;GK2;GK3;GK4;GK5;GK6;GK7;GK8;GK9;GK10;GK11;GK12;GK13\n"
      "19.03.2024;15000000,00;1.234.567,5;0,00;;5;6;7;8;9;10;11;12;4,36\n",
      "19.03.2024,15000000.00,1234567.50,0,,5,6,7,8,9,10,11,12,4.36\n",
      "19.03.2024,\"15.000.000,00\",\"1234567,50\",\"0,00\",\"\",5,6,7,8,9,10,11,12,\"4,36\"\n",
      "19.03.2024\t15000000,00\t1234567,50\t0\t\t5\t6\t7\t8\t9\t10\t11\t12\t4,36\n",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const auto parsed = ParseQuotasCsv(text);
    ASSERT_TRUE(parsed) << parsed.error().message;
    ASSERT_EQ(parsed->size(), 1u);
    const auto& q = parsed->front().q;
    EXPECT_EQ(parsed->front().date, EncodeDate(2024, 3, 19));
    EXPECT_EQ(q[0], 15000000.0f);
    EXPECT_EQ(q[1], 1234567.5f);
    EXPECT_EQ(q[2], 0.0f);
    EXPECT_EQ(q[3], -1.0f);
    EXPECT_EQ(q[4], 5.0f);
    EXPECT_EQ(q[12], 4.36f);
  }
}

// A history of two draws on disk, then a text whose good lines come before the bad one:
// the refusal must leave file and memory as they were.
TEST(CsvImport, BadDrawLineRefusesEverything) {
  const std::string header = "Datum;Z1;Z2;Z3;Z4;Z5;S1;S2\n";
  const std::string good = "19.03.2024;1;2;3;4;5;1;2\n22.03.2024;1;2;3;4;5;1;2\n";
  struct Case {
    std::string text;
    std::string message;  // without the closing sentence
  };
  const Case cases[] = {
      {header + good + "31.02.2024;1;2;3;4;5;1;2\n", "Zeile 4: Das Datum \"31.02.2024\" ist ungültig."},
      {header + good + "26.3.24;1;2;3;4;5;1;2\n", "Zeile 4: Das Datum \"26.3.24\" ist ungültig."},
      {header + good + "23.03.2024;1;2;3;4;5;1;2\n",
       "Zeile 4: Der 23.03.2024 ist ein Samstag; Ausspielungen gibt es nur dienstags und freitags."},
      {header + good + "19.03.2024;1;2;3;4;5;1;2\n",
       "Zeile 4: Das Datum 19.03.2024 liegt nicht nach dem Datum der Zeile davor (22.03.2024)."},
      {header + good + "22.03.2024;1;2;3;4;5;1;2\n",
       "Zeile 4: Das Datum 22.03.2024 liegt nicht nach dem Datum der Zeile davor (22.03.2024)."},
      {header + good + "26.03.2024;7;2;3;4;7;1;2\n", "Zeile 4: Die Gewinnzahl 7 kommt zweimal vor."},
      {header + good + "26.03.2024;1;2;3;4;5;9;9\n", "Zeile 4: Die Sternzahl 9 kommt zweimal vor."},
      {header + good + "26.03.2024;1;2;3;4;51;1;2\n", "Zeile 4: \"51\" ist keine Gewinnzahl von 1 bis 50."},
      {header + good + "26.03.2024;0;2;3;4;5;1;2\n", "Zeile 4: \"0\" ist keine Gewinnzahl von 1 bis 50."},
      {header + good + "26.03.2024;1;2;3;4;5;1;13\n", "Zeile 4: \"13\" ist keine Sternzahl von 1 bis 12."},
      {header + good + "26.03.2024;1;2;3;4;5;1,5;2\n", "Zeile 4: \"1,5\" ist keine Sternzahl von 1 bis 12."},
      {header + good + "26.03.2024;1;2;3;4;5;1\n",
       "Zeile 4: Die Zeile hat 7 Felder, ich erwarte 8 (Datum, fünf Gewinnzahlen, zwei Sternzahlen)."},
      {header + good + "26.03.2024;1;2;3;4;5;1;2;3\n",
       "Zeile 4: Die Zeile hat 9 Felder, ich erwarte 8 (Datum, fünf Gewinnzahlen, zwei Sternzahlen)."},
      {header + "\n" + good, "Zeile 2: Die Zeile ist leer."},
      {header + good + "\"26.03.2024;1;2;3;4;5;1;2\n", "Zeile 4: Ein Anführungszeichen ist nicht richtig geschlossen."},
      {"Datum;GK1;GK2;GK3;GK4;GK5;GK6;GK7;GK8;GK9;GK10;GK11;GK12;GK13\n" + good,
       "Zeile 1: Die Kopfzeile hat 14 Felder, ich erwarte 8 (Datum, fünf Gewinnzahlen, zwei Sternzahlen)."},
      {header, "Die Datei enthält keine Zeile mit einer Ausspielung."},
      {"\r\n\r\n", "Die Datei enthält keine Zeile mit einer Ausspielung."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DataDir d;
    d.state.Draws = {MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15)};
    ASSERT_TRUE(SaveDraws(d.state));
    const auto before = kwtest::ReadBytes(d.draws());
    const auto result = ImportDrawsCsv(d.state, c.text);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind, ErrorKind::Refused);
    EXPECT_EQ(result.error().message, c.message + kAbort);
    EXPECT_EQ(kwtest::ReadBytes(d.draws()), before);
    EXPECT_EQ(d.state.Draws.size(), 2u);
    EXPECT_FALSE(FileExists(d.draws() + ".tmp~"));
  }
}

TEST(CsvImport, FieldsInMessagesAreShortAndClean) {
  const std::string text = "Datum;Z1;Z2;Z3;Z4;Z5;S1;S2\n" + std::string(200, '9') + "\x01;1;2;3;4;5;1;2\n";
  const auto result = ParseDrawsCsv(text);
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error().message, "Zeile 2: Das Datum \"" + std::string(30, '9') + "…\" ist ungültig." + kAbort);
  // Broken UTF-8 from the file must not reach a message box.
  const auto broken = ParseDrawsCsv("\xFF\xC3\xA4\xE2\x82;1;2;3;4;5;1;2\n");
  ASSERT_FALSE(broken);
  EXPECT_EQ(broken.error().message, "Zeile 1: Das Datum \"?ä??\" ist ungültig." + kAbort);
}

TEST(CsvImport, BadQuotaLineRefusesEverything) {
  const std::string header = "Datum;GK1;GK2;GK3;GK4;GK5;GK6;GK7;GK8;GK9;GK10;GK11;GK12;GK13\n";
  const std::string amounts = ";1;2;3;4;5;6;7;8;9;10;11;12;13\n";
  const std::string good = "15.03.2024" + amounts;
  auto withAmount = [](const std::string& a) { return "19.03.2024;" + a + ";2;3;4;5;6;7;8;9;10;11;12;13\n"; };
  const std::string noAmount = "kein Betrag (erwartet wird ein leeres Feld oder ein Betrag wie 1234,50).";
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {header + good + "30.02.2024" + amounts, "Zeile 3: Das Datum \"30.02.2024\" ist ungültig."},
      {header + good + "12.03.2024" + amounts,
       "Zeile 3: Das Datum 12.03.2024 liegt nicht nach dem Datum der Zeile davor (15.03.2024)."},
      {header + good + "18.03.2024" + amounts,
       "Zeile 3: Der 18.03.2024 ist ein Montag; Ausspielungen gibt es nur dienstags und freitags."},
      {header + good + "19.03.2024;1;2\n",
       "Zeile 3: Die Zeile hat 3 Felder, ich erwarte 14 (Datum und die Quoten der Gewinnklassen 1 bis 13)."},
      {header + good + withAmount("abc"), "Zeile 3: \"abc\" ist für Gewinnklasse 1 " + noAmount},
      {header + good + withAmount("-5,00"), "Zeile 3: \"-5,00\" ist für Gewinnklasse 1 " + noAmount},
      {header + good + withAmount("1.50"), "Zeile 3: \"1.50\" ist für Gewinnklasse 1 " + noAmount},
      {header + good + withAmount("1,5,0"), "Zeile 3: \"1,5,0\" ist für Gewinnklasse 1 " + noAmount},
      {header + good + withAmount("1000000000,00"), "Zeile 3: \"1000000000,00\" ist für Gewinnklasse 1 " + noAmount},
      {header + good + withAmount(std::string(400, '9')),
       "Zeile 3: \"" + std::string(30, '9') + "…\" ist für Gewinnklasse 1 " + noAmount},
      {"Datum;Z1;Z2;Z3;Z4;Z5;S1;S2\n",
       "Zeile 1: Die Kopfzeile hat 8 Felder, ich erwarte 14 (Datum und die Quoten der Gewinnklassen 1 bis 13)."},
      {header, "Die Datei enthält keine Zeile mit Quoten."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DataDir d;
    d.state.Draws = {MakeDraw(2024, 3, 15), MakeDraw(2024, 3, 19)};
    TQuoten old;
    old.datum = EncodeDate(2024, 3, 15);
    old.q.fill(7.0f);
    d.state.Quotas = {old};
    const auto before = EncodeRecords(d.state.Quotas);
    kwtest::WriteBytes(d.quotas(), before);
    const auto result = ImportQuotasCsv(d.state, c.text);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message, c.message + kAbort);
    EXPECT_EQ(kwtest::ReadBytes(d.quotas()), before);
    EXPECT_EQ(d.state.Quotas.size(), 1u);
  }
}

TEST(CsvImport, QuotasAreMergedByDrawDate) {
  DataDir d;
  d.state.Draws = {MakeDraw(2024, 3, 12), MakeDraw(2024, 3, 15), MakeDraw(2024, 3, 19), MakeDraw(2024, 3, 22)};
  TQuoten first, second, stray;
  first.datum = EncodeDate(2024, 3, 12);
  first.q.fill(5.0f);
  first.reserved = {1, 2, 3, 4};
  second.datum = EncodeDate(2024, 3, 15);
  second.q.fill(6.0f);
  second.reserved = {9, 9, 9, 9};
  stray.datum = EncodeDate(2024, 3, 13);  // no draw on that day
  kwtest::WriteBytes(d.quotas(), EncodeRecords(std::vector<TQuoten>{second, stray, first}));

  const std::string csv =
      "Datum;GK1;GK2;GK3;GK4;GK5;GK6;GK7;GK8;GK9;GK10;GK11;GK12;GK13\n"
      "08.03.2024;1;1;1;1;1;1;1;1;1;1;1;1;1\n"           // before the history
      "12.03.2024;100;;;;;;;;;;;;4,5\n"                  // overrides the stored amounts, keeps reserved bytes
      "19.03.2024;200;2;3;4;5;6;7;8;9;10;11;12;13\n"     // a draw without a stored record
      "29.03.2024;1;1;1;1;1;1;1;1;1;1;1;1;1\n";          // after the history
  const auto result = ImportQuotasCsv(d.state, csv);
  ASSERT_TRUE(result) << result.error().message;
  EXPECT_EQ(result->merged, 2);
  EXPECT_EQ(result->unknownDates, 2);
  EXPECT_EQ(QuotaImportSummaryText(*result),
            "Quoten von 2 Ausspielungen übernommen, 2 Zeilen gehören zu keiner Ausspielung der Historie.");

  const auto saved = DecodeQuotaRecords(kwtest::ReadBytes(d.quotas()));
  ASSERT_EQ(saved.size(), 4u);
  EXPECT_EQ(saved, d.state.Quotas);
  EXPECT_EQ(saved[0].datum, first.datum);
  EXPECT_EQ(saved[0].amount(1), 100.0f);
  EXPECT_EQ(saved[0].amount(2), -1.0f);  // an empty field is unknown, not the old amount
  EXPECT_EQ(saved[0].amount(13), 4.5f);
  EXPECT_EQ(saved[0].reserved, first.reserved);
  EXPECT_EQ(saved[1], second);  // no line: the stored record stays as it was
  EXPECT_EQ(saved[2].datum, EncodeDate(2024, 3, 19));
  EXPECT_EQ(saved[2].amount(1), 200.0f);
  EXPECT_EQ(saved[2].amount(13), 13.0f);
  EXPECT_EQ(saved[3].datum, EncodeDate(2024, 3, 22));
  for (int k = 1; k <= 13; ++k) EXPECT_EQ(saved[3].amount(k), -1.0f);
}

TEST(CsvImport, QuotasNeedAHistory) {
  DataDir d;
  const auto result = ImportQuotasCsv(d.state, "19.03.2024;1;2;3;4;5;6;7;8;9;10;11;12;13\n");
  ASSERT_FALSE(result);
  EXPECT_TRUE(Contains(result.error().message, "zuerst die Gewinnzahlen")) << result.error().message;
  EXPECT_FALSE(FileExists(d.quotas()));
}

TEST(CsvImport, UnreadableQuotaFileIsNeverOverwritten) {
  DataDir d;
  d.state.Draws = {MakeDraw(2024, 3, 19)};
  kwtest::WriteBytes(d.quotas(), {});
  std::filesystem::resize_file(d.quotas(), 64u * 1024 * 1024 + 1);
  const auto result = ImportQuotasCsv(d.state, "19.03.2024;1;2;3;4;5;6;7;8;9;10;11;12;13\n");
  ASSERT_FALSE(result);
  EXPECT_TRUE(Contains(result.error().message, "zu groß")) << result.error().message;
  EXPECT_TRUE(result.error().message.ends_with(kAbort));
  EXPECT_EQ(std::filesystem::file_size(d.quotas()), 64u * 1024 * 1024 + 1);
  EXPECT_TRUE(d.state.Quotas.empty());
}

TEST(CsvImport, RefusesAfterAnIncompleteLastDraw) {
  DataDir d;
  d.state.Draws = {MakeDraw(2024, 3, 15)};
  ASSERT_TRUE(SaveDraws(d.state));
  const auto before = kwtest::ReadBytes(d.draws());
  TGewZahlen empty;
  empty.datum = EncodeDate(2024, 3, 19);
  d.state.Draws.push_back(empty);
  const auto result = ImportDrawsCsv(d.state, "22.03.2024;1;2;3;4;5;1;2\n");
  ASSERT_FALSE(result);
  EXPECT_TRUE(result.error().message.ends_with(kAbort));
  EXPECT_EQ(kwtest::ReadBytes(d.draws()), before);
  EXPECT_EQ(d.state.Draws.size(), 2u);
}

TEST(CsvImport, FullDiskKeepsFilesAndMemory) {
  DataDir d;
  d.state.Draws = {MakeDraw(2024, 3, 15)};
  ASSERT_TRUE(SaveDraws(d.state));
  const auto drawsBefore = kwtest::ReadBytes(d.draws());

  testing::SimulateDiskFullAfter(20);
  const auto draws = ImportDrawsCsv(d.state, "19.03.2024;1;2;3;4;5;1;2\n22.03.2024;1;2;3;4;5;1;2\n");
  const auto quotas = ImportQuotasCsv(d.state, "15.03.2024;1;2;3;4;5;6;7;8;9;10;11;12;13\n");
  testing::SimulateDiskFullAfter(std::nullopt);

  ASSERT_FALSE(draws);
  EXPECT_EQ(draws.error().kind, ErrorKind::Io);
  EXPECT_TRUE(Contains(draws.error().message, "kein Platz")) << draws.error().message;
  EXPECT_EQ(kwtest::ReadBytes(d.draws()), drawsBefore);
  EXPECT_EQ(d.state.Draws.size(), 1u);
  ASSERT_FALSE(quotas);
  EXPECT_EQ(quotas.error().kind, ErrorKind::Io);
  EXPECT_FALSE(FileExists(d.quotas()));
  EXPECT_TRUE(d.state.Quotas.empty());
}

TEST(CsvImport, SummaryTextsSayOneAndMany) {
  EXPECT_EQ(DrawImportSummaryText({1, 1}), "1 Ausspielung übernommen, 1 war bereits vorhanden.");
  EXPECT_EQ(DrawImportSummaryText({0, 3}), "0 Ausspielungen übernommen, 3 waren bereits vorhanden.");
  EXPECT_EQ(QuotaImportSummaryText({1, 1}),
            "Quoten von 1 Ausspielung übernommen, 1 Zeile gehört zu keiner Ausspielung der Historie.");
}

}  // namespace
}  // namespace kw
