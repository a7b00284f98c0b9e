#include <gtest/gtest.h>
#include <zip.h>

#include <QFile>
#include <QStringList>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "import/workbook_cells.h"
#include "import/workbook_import.h"
#include "support/temp_dir.h"

// Readable failures: QString cells printed as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace kwtest {
namespace {

using kw::ImportWorkbook;
using kw::WorkbookImport;
using Grid = std::vector<std::vector<QString>>;

QString Generated(const char* name) { return QStringLiteral(KW_WORKBOOK_DIR "/") + QString::fromUtf8(name); }
QString Saved(const char* name) { return QStringLiteral(KW_WORKBOOK_FIXTURES "/") + QString::fromUtf8(name); }

// The cell at a reference such as "AZ2", or "<outside>" when the range does not reach it.
QString At(const WorkbookImport& book, const QString& reference) {
  qsizetype letters = 0;
  while (letters < reference.size() && reference.at(letters).isLetter()) ++letters;
  const int column = kw::workbook::ColumnNumber(QStringView(reference).left(letters));
  const int row = reference.mid(letters).toInt();
  if (row < 1 || column < 1 || row > book.rows || column > book.columns) return QStringLiteral("<outside>");
  return book.cells[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

Grid Rows(std::initializer_list<std::initializer_list<const char*>> rows) {
  Grid grid;
  for (const auto& row : rows) {
    auto& out = grid.emplace_back();
    for (const char* text : row) out.push_back(QString::fromUtf8(text));
  }
  return grid;
}

void ExpectGrid(const WorkbookImport& book, const Grid& expected) {
  ASSERT_TRUE(book.ok) << book.message.toStdString();
  ASSERT_EQ(book.rows, static_cast<int>(expected.size()));
  ASSERT_EQ(book.columns, static_cast<int>(expected.front().size()));
  EXPECT_EQ(book.cells, expected);
}

// The same workbooks in both formats: written as .xlsx by libxlsxwriter, saved as .xls by LibreOffice.
struct Format {
  const char* label;
  QString (*path)(const char* stem);
};
const Format kFormats[] = {
    {"xlsx", [](const char* stem) -> QString { return Generated(stem) + QStringLiteral(".xlsx"); }},
    {"xls", [](const char* stem) -> QString { return Saved(stem) + QStringLiteral(".xls"); }},
};

void PrintTo(const Format& format, std::ostream* out) { *out << format.label; }

class BothFormats : public ::testing::TestWithParam<Format> {
 protected:
  QString Path(const char* stem) const { return GetParam().path(stem); }
};

TEST_P(BothFormats, TipRowsOneNumberPerCellOnTheChosenSheet) {
  struct Case {
    int sheet;
    Grid expected;
  };
  const Case cases[] = {
      {1, Rows({{"2", "7", "12", "22", "38", "4", "7"},
                {"1", "2", "3", "4", "5", "1", "2"},
                {"10", "20", "30", "40", "50", "11", "12"}})},
      {2, Rows({{"5", "15", "25", "35", "45", "3", "9"}, {"6", "16", "26", "36", "46", "5", "10"}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sheet);
    ExpectGrid(ImportWorkbook(Path("tipps"), c.sheet), c.expected);
  }
}

// The used range ends at the last cell with a value (D10), not at a formatted empty cell (F12);
// numbers read as the spreadsheet shows them, with a decimal dot.
TEST_P(BothFormats, UsedRangeEndsAtTheLastValueAndNumbersReadAsShown) {
  const WorkbookImport book = ImportWorkbook(Path("tipps"), 3);
  ASSERT_TRUE(book.ok) << book.message.toStdString();
  EXPECT_EQ(book.rows, 10);
  EXPECT_EQ(book.columns, 4);
  ASSERT_EQ(book.cells.size(), 10u);
  for (const auto& row : book.cells) EXPECT_EQ(row.size(), 4u);
  const std::pair<const char*, const char*> cells[] = {
      {"A1", "Notiz"},
      {"B1", ""},
      {"B2", "2.5"},
      {"A4", "0.1"},
      {"B4", "1234567"},
      {"C4", "mit, Komma"},
      {"D4", "7"},  // shown with the format 0.00, but its value is 7
      {"A6", "1234.5678"},
      {"B8", "fett und normal"},
      {"C8", "11.12.2026"},
      {"A9", "1E+15"},
      {"B9", "0.000123"},
      {"C9", "Größe \"A\""},
      {"D10", "7"},
      {"C10", ""},
  };
  for (const auto& [reference, text] : cells) {
    EXPECT_EQ(At(book, QString::fromUtf8(reference)), QString::fromUtf8(text)) << reference;
  }
}

TEST_P(BothFormats, NoteInColumnAzWidensEveryRowToFiftyTwoCells) {
  const WorkbookImport book = ImportWorkbook(Path("tipps"), 5);
  ASSERT_TRUE(book.ok) << book.message.toStdString();
  EXPECT_EQ(book.rows, 3);
  EXPECT_EQ(book.columns, 52);
  EXPECT_EQ(At(book, QStringLiteral("AZ2")), QStringLiteral("Notiz"));
  EXPECT_EQ(At(book, QStringLiteral("AY2")), QString());
  // Joined the way the tip entry window joins a row: the seven numbers, then 45 empty cells.
  QStringList first;
  for (const QString& cell : book.cells[0]) first << cell;
  EXPECT_EQ(first.join(QLatin1Char(',')), QStringLiteral("2,7,12,22,38,4,7") + QString(45, QLatin1Char(',')));
}

TEST_P(BothFormats, InlineStringsAndEmptyRowsKeepTheirPlaces) {
  Grid expected(4, std::vector<QString>(52));
  expected[0][0] = QStringLiteral("Tipp");
  expected[0][51] = QStringLiteral("Notiz");
  const char* tip[] = {"2", "7", "12", "22", "38", "4", "7"};
  for (int c = 0; c < 7; ++c) expected[2][static_cast<std::size_t>(c)] = QString::fromUtf8(tip[c]);
  expected[3][27] = QStringLiteral("AB4");
  ExpectGrid(ImportWorkbook(Path("inline"), 1), expected);
}

TEST_P(BothFormats, SheetOutsideTheWorkbookOrEmptyIsRefused) {
  const QString name = QStringLiteral("\"tipps.") + QString::fromUtf8(GetParam().label) + QLatin1Char('"');
  const std::pair<int, QString> cases[] = {
      {7, QStringLiteral("Die Arbeitsmappe %1 hat nur 6 Tabellen. Eine Tabelle 7 gibt es darin nicht.\r\rIch breche ab.")
              .arg(name)},
      {0, QStringLiteral("Die Arbeitsmappe %1 hat nur 6 Tabellen. Eine Tabelle 0 gibt es darin nicht.\r\rIch breche ab.")
              .arg(name)},
      {4, QStringLiteral("Die Tabelle 4 der Arbeitsmappe %1 ist leer. Es gibt nichts einzulesen.\r\rIch breche ab.")
              .arg(name)},
  };
  for (const auto& [sheet, message] : cases) {
    const WorkbookImport book = ImportWorkbook(Path("tipps"), sheet);
    EXPECT_FALSE(book.ok) << sheet;
    EXPECT_EQ(book.message, message) << sheet;
    EXPECT_TRUE(book.cells.empty()) << sheet;
  }
  const WorkbookImport single = ImportWorkbook(Path("inline"), 2);
  EXPECT_EQ(single.message, QStringLiteral("Die Arbeitsmappe \"inline.%1\" hat nur eine Tabelle. Eine Tabelle 2 gibt "
                                           "es darin nicht.\r\rIch breche ab.")
                                .arg(QString::fromUtf8(GetParam().label)));
}

// FreeXL leaves these out of .xls sheets; the reader takes them from the records themselves.
TEST_P(BothFormats, NegativeNumbersTruthValuesAndFormulaResults) {
  ExpectGrid(ImportWorkbook(Path("tipps"), 6), Rows({{"-3", "WAHR", "FALSCH", "7"}}));
}

INSTANTIATE_TEST_SUITE_P(Workbook, BothFormats, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<Format>& p) { return std::string(p.param.label); });

TEST(WorkbookImport, OldAndNewFormatGiveTheSameCells) {
  const std::pair<const char*, int> sheets[] = {{"tipps", 1}, {"tipps", 2}, {"tipps", 3},
                                                {"tipps", 5}, {"tipps", 6}, {"inline", 1}};
  for (const auto& [stem, sheet] : sheets) {
    SCOPED_TRACE(std::string(stem) + " " + std::to_string(sheet));
    const WorkbookImport xlsx = ImportWorkbook(kFormats[0].path(stem), sheet);
    const WorkbookImport xls = ImportWorkbook(kFormats[1].path(stem), sheet);
    ASSERT_TRUE(xlsx.ok && xls.ok);
    EXPECT_EQ(xlsx.rows, xls.rows);
    EXPECT_EQ(xlsx.columns, xls.columns);
    EXPECT_EQ(xlsx.cells, xls.cells);
  }
}

class WorkbookFailures : public ::testing::Test {
 protected:
  QString Copy(const QString& from, const char* name, qint64 keepBytes = -1) const {
    QFile source(from);
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    if (keepBytes >= 0) bytes.truncate(keepBytes);
    const QString to = QString::fromStdString(dir_.file(name));
    QFile target(to);
    EXPECT_TRUE(target.open(QIODevice::WriteOnly));
    target.write(bytes);
    return to;
  }
  QString Write(const char* name, const QByteArray& bytes) const {
    const QString to = QString::fromStdString(dir_.file(name));
    QFile target(to);
    EXPECT_TRUE(target.open(QIODevice::WriteOnly));
    target.write(bytes);
    return to;
  }
  TempDir dir_;
};

TEST_F(WorkbookFailures, EachFailureHasItsGermanMessage) {
  const auto damaged = [](const char* name) {
    return QStringLiteral("Die Datei \"%1\" ist beschädigt oder keine Excel-Arbeitsmappe.\r\rIch breche ab.")
        .arg(QString::fromUtf8(name));
  };
  const auto locked = [](const char* name) {
    return QStringLiteral(
               "Die Arbeitsmappe \"%1\" ist mit einem Kennwort geschützt. Speichern Sie sie bitte ohne Kennwort und "
               "wählen Sie sie dann noch einmal.\r\rIch breche ab.")
        .arg(QString::fromUtf8(name));
  };
  const QFile xlsx(Generated("tipps.xlsx"));
  const QFile xls(Saved("tipps.xls"));
  struct Case {
    const char* label;
    QString path;
    QString message;
  };
  const Case cases[] = {
      {"missing", QString::fromStdString(dir_.file("fehlt.xlsx")),
       QStringLiteral("Die Datei \"fehlt.xlsx\" gibt es nicht.\r\rIch breche ab.")},
      {"unknown extension", Copy(Generated("tipps.xlsx"), "tipps.csv"),
       QStringLiteral("Die Datei \"tipps.csv\" ist keine Excel-Datei. Eingelesen werden nur Arbeitsmappen mit der "
                      "Endung \".xls\" oder \".xlsx\".\r\rIch breche ab.")},
      {"no extension", Copy(Generated("tipps.xlsx"), "tipps"),
       QStringLiteral("Die Datei \"tipps\" ist keine Excel-Datei. Eingelesen werden nur Arbeitsmappen mit der "
                      "Endung \".xls\" oder \".xlsx\".\r\rIch breche ab.")},
      {"truncated xlsx", Copy(Generated("tipps.xlsx"), "halb.xlsx", xlsx.size() / 2), damaged("halb.xlsx")},
      {"truncated xls", Copy(Saved("tipps.xls"), "halb.xls", xls.size() / 2), damaged("halb.xls")},
      {"empty file", Write("leer.xls", QByteArray()), damaged("leer.xls")},
      {"text named xlsx", Write("text.xlsx", "2,7,12,22,38,4,7\r\n"), damaged("text.xlsx")},
      {"password xls", Saved("kennwort.xls"), locked("kennwort.xls")},
      {"password xlsx", Saved("kennwort.xlsx"), locked("kennwort.xlsx")},
  };
  for (const Case& c : cases) {
    const WorkbookImport book = ImportWorkbook(c.path, 1);
    EXPECT_FALSE(book.ok) << c.label;
    EXPECT_EQ(book.message, c.message) << c.label;
    EXPECT_EQ(book.rows, 0) << c.label;
    EXPECT_TRUE(book.cells.empty()) << c.label;
  }
}

// Two workbooks found by fuzzing on which FreeXL itself reads past its buffers; one brings it down.
// The reader runs FreeXL apart, so the import refuses them and this process goes on.
TEST_F(WorkbookFailures, WorkbooksThatBreakTheXlsLibraryAreRefused) {
  for (const char* name : {"freexl-absturz.xls", "freexl-ueberlauf.xls"}) {
    const WorkbookImport book = ImportWorkbook(Saved(name), 1);
    EXPECT_FALSE(book.ok) << name;
    EXPECT_TRUE(book.cells.empty()) << name;
  }
}

TEST_F(WorkbookFailures, ExtensionIsMatchedWithoutCase) {
  const WorkbookImport book = ImportWorkbook(Copy(Generated("tipps.xlsx"), "TIPPS.XLSX"), 2);
  EXPECT_TRUE(book.ok) << book.message.toStdString();
  EXPECT_EQ(book.rows, 2);
}

// Hand-made packages for what real writers do differently: sheet order, absolute targets, missing
// cell references, phonetic runs, the 1904 calendar, and hostile content.
class HandMadeXlsx : public ::testing::Test {
 protected:
  struct Sheet {
    std::string part;  // below xl/
    std::string data;  // the inside of <sheetData>
    bool absoluteTarget = false;
    std::string type = "worksheet";
  };

  QString Build(const std::vector<Sheet>& sheets, const std::string& sharedStrings = {},
                const std::string& workbookPr = {}, const std::string& styles = {}) const {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::vector<std::pair<std::string, std::string>> parts;
    parts.emplace_back("_rels/.rels",
                       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                       "<Relationship Id=\"rId1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                       "</Relationships>");
    std::string workbook = "<x:workbook xmlns:x=\"" + main + "\" xmlns:rr=\"" + rel + "\">" + workbookPr + "<x:sheets>";
    std::string rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      const std::string id = "rId" + std::to_string(i + 10);
      workbook += "<x:sheet name=\"S" + std::to_string(i) + "\" sheetId=\"" + std::to_string(i + 1) + "\" rr:id=\"" +
                  id + "\"/>";
      rels += "<Relationship Id=\"" + id + "\" Type=\"" + rel + "/" + sheets[i].type + "\" Target=\"" +
              (sheets[i].absoluteTarget ? "/xl/" : "") + sheets[i].part + "\"/>";
      parts.emplace_back("xl/" + sheets[i].part,
                         "<worksheet xmlns=\"" + main + "\"><sheetData>" + sheets[i].data + "</sheetData></worksheet>");
    }
    workbook += "</x:sheets></x:workbook>";
    if (!sharedStrings.empty()) {
      rels += "<Relationship Id=\"rId1\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
      parts.emplace_back("xl/sharedStrings.xml", "<sst xmlns=\"" + main + "\">" + sharedStrings + "</sst>");
    }
    if (!styles.empty()) {
      rels += "<Relationship Id=\"rId2\" Type=\"" + rel + "/styles\" Target=\"styles.xml\"/>";
      parts.emplace_back("xl/styles.xml", "<styleSheet xmlns=\"" + main + "\">" + styles + "</styleSheet>");
    }
    rels += "</Relationships>";
    parts.emplace_back("xl/workbook.xml", workbook);
    parts.emplace_back("xl/_rels/workbook.xml.rels", rels);

    const std::string path = dir_.file("hand" + std::to_string(++count_) + ".xlsx");
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    for (const auto& [name, content] : parts) {
      zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
      EXPECT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    EXPECT_EQ(zip_close(archive), 0);
    return QString::fromStdString(path);
  }

  TempDir dir_;
  mutable int count_ = 0;
};

TEST_F(HandMadeXlsx, SheetsCountInWorkbookOrderWhateverTheirPartNames) {
  const QString path = Build({{"worksheets/sheet2.xml", R"(<row r="1"><c r="A1"><v>1</v></c></row>)", true},
                              {"worksheets/sheet1.xml", R"(<row r="1"><c r="A1"><v>2</v></c></row>)"}});
  ExpectGrid(ImportWorkbook(path, 1), Rows({{"1"}}));
  ExpectGrid(ImportWorkbook(path, 2), Rows({{"2"}}));
}

TEST_F(HandMadeXlsx, ChartSheetsAreNotCounted) {
  const QString path = Build({{"worksheets/sheet1.xml", R"(<row r="1"><c r="A1"><v>1</v></c></row>)"},
                              {"chartsheets/sheet1.xml", "", false, "chartsheet"},
                              {"worksheets/sheet2.xml", R"(<row r="1"><c r="A1"><v>2</v></c></row>)"}});
  ExpectGrid(ImportWorkbook(path, 2), Rows({{"2"}}));
  EXPECT_EQ(ImportWorkbook(path, 3).message,
            QStringLiteral("Die Arbeitsmappe \"hand1.xlsx\" hat nur 2 Tabellen. Eine Tabelle 3 gibt es darin nicht."
                           "\r\rIch breche ab."));
  const QString charts = Build({{"chartsheets/sheet1.xml", "", false, "chartsheet"}});
  EXPECT_EQ(ImportWorkbook(charts, 1).message,
            QStringLiteral("Die Arbeitsmappe \"hand2.xlsx\" enthält keine Tabelle mit Zellen.\r\rIch breche ab."));
}

TEST_F(HandMadeXlsx, CellsAndRowsWithoutReferencesFollowTheirNeighbours) {
  // Some writers leave out r on rows and cells: a cell then follows the one before it.
  const QString path = Build({{"worksheets/a.xml",
                               R"(<row><c><v>1</v></c><c><v>2</v></c></row>)"
                               R"(<row r="3"><c r="C3"><v>3</v></c><c><v>4</v></c></row>)"
                               R"(<row><c t="s"><v>0</v></c></row>)"}},
                             R"(<si><r><t>Zwölf</t></r><rPh sb="0" eb="1"><t>ignored</t></rPh><r><t xml:space="preserve"> Sterne</t></r></si>)");
  ExpectGrid(ImportWorkbook(path, 1),
             Rows({{"1", "2", "", ""}, {"", "", "", ""}, {"", "", "3", "4"}, {"Zwölf Sterne", "", "", ""}}));
}

TEST_F(HandMadeXlsx, OtherCellTypesKeepTheirText) {
  const QString path = Build({{"worksheets/a.xml", R"(<row r="1"><c r="A1" t="d"><v>2026-12-11</v></c>)"
                                                   R"(<c r="B1" t="str"><f>A1</f><v>Formeltext</v></c>)"
                                                   R"(<c r="C1" t="e"><v>#DIV/0!</v></c>)"
                                                   R"(<c r="D1" t="s"/><c r="E1"><v></v></c></row>)"}});
  ExpectGrid(ImportWorkbook(path, 1), Rows({{"2026-12-11", "Formeltext", "#DIV/0!"}}));
}

// Dates are numbers with a date format; which formats are dates is in the styles part.
TEST_F(HandMadeXlsx, DateFormatsAndTheWorkbookCalendar) {
  const std::string styles =
      R"(<numFmts><numFmt numFmtId="164" formatCode="[Red]0.00"/><numFmt numFmtId="165" formatCode="hh:mm"/>)"
      R"(<numFmt numFmtId="166" formatCode="&quot;Stunden&quot; 0"/></numFmts>)"
      R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="166"/></cellXfs>)";
  struct Case {
    const char* label;
    std::string workbookPr;
    const char* serial;
  };
  const Case cases[] = {{"from 1900", "", "46367"}, {"from 1904", R"(<x:workbookPr date1904="1"/>)", "44905"}};
  for (const Case& c : cases) {
    const std::string row = std::string(R"(<row r="1"><c r="A1" s="1"><v>)") + c.serial +
                            R"(</v></c><c r="B1" s="2"><v>5</v></c><c r="C1" s="3"><v>0.25</v></c>)"
                            R"(<c r="D1" s="4"><v>5</v></c><c r="E1" s="0"><v>46367</v></c><c r="F1" s="9"><v>1</v></c></row>)";
    SCOPED_TRACE(c.label);
    ExpectGrid(ImportWorkbook(Build({{"worksheets/a.xml", row}}, {}, c.workbookPr, styles), 1),
               Rows({{"11.12.2026", "5", "06:00:00", "5", "46367", "1"}}));
  }
}

TEST_F(HandMadeXlsx, HostileContentIsRefusedNotTrusted) {
  const QString damaged = QStringLiteral("\" ist beschädigt oder keine Excel-Arbeitsmappe.\r\rIch breche ab.");
  const QString tooLarge = QStringLiteral(
      "\" ist zu groß zum Einlesen. Eingelesen werden Tabellen mit bis zu 2.000.000 Zellen.\r\rIch breche ab.");
  struct Case {
    const char* label;
    std::string data;
    std::string sharedStrings;
    QString message;
  };
  const Case all[] = {
      {"shared string out of range", R"(<row r="1"><c r="A1" t="s"><v>5</v></c></row>)", "<si><t>a</t></si>", damaged},
      {"negative shared string", R"(<row r="1"><c r="A1" t="s"><v>-1</v></c></row>)", "<si><t>a</t></si>", damaged},
      {"column beyond XFD", R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)", {}, damaged},
      {"row beyond the sheet", R"(<row r="1048577"><c r="A1048577"><v>1</v></c></row>)", {}, damaged},
      {"broken xml", R"(<row r="1"><c r="A1"><v>1</v></row>)", {}, damaged},
      {"range of 17 billion cells", R"(<row r="1"><c r="A1"><v>1</v></c></row>)"
                                    R"(<row r="1048576"><c r="XFD1048576"><v>1</v></c></row>)",
       {}, tooLarge},
      {"one long text in every cell", R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>0</v></c>)"
                                      R"(<c r="C1" t="s"><v>0</v></c><c r="D1" t="s"><v>0</v></c></row>)",
       "<si><t>" + std::string(10u << 20, 'x') + "</t></si>", tooLarge},
      {"undefined entity",
       R"(<row r="1"><c r="A1" t="inlineStr"><is><t>&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;</t></is></c></row>)", {}, damaged},
  };
  for (const Case& c : all) {
    const WorkbookImport book = ImportWorkbook(Build({{"worksheets/a.xml", c.data}}, c.sharedStrings), 1);
    EXPECT_FALSE(book.ok) << c.label;
    EXPECT_TRUE(book.message.endsWith(c.message)) << c.label << ": " << book.message.toStdString();
    EXPECT_TRUE(book.cells.empty()) << c.label;
  }
}

TEST_F(HandMadeXlsx, PackedPartsBeyondTheCapAreNotUnpacked) {
  // 65 MiB of shared strings pack into a few dozen kilobytes.
  std::string strings = "<si><t>";
  strings.append(65u << 20, 'x');
  strings += "</t></si>";
  const QString path = Build({{"worksheets/a.xml", R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)"}}, strings);
  EXPECT_LT(QFile(path).size(), 1 << 20);
  const WorkbookImport book = ImportWorkbook(path, 1);
  EXPECT_FALSE(book.ok);
  EXPECT_TRUE(book.message.startsWith(QStringLiteral("Die Tabelle 1 der Arbeitsmappe \"hand1.xlsx\" ist zu groß")))
      << book.message.toStdString();
}

TEST(WorkbookText, NumbersAsTheSpreadsheetShowsThem) {
  const std::pair<double, const char*> cases[] = {
      {7.0, "7"},         {-3.0, "-3"},         {2.5, "2.5"},           {0.1 + 0.2, "0.3"},
      {-0.0, "0"},        {1234.5678, "1234.5678"}, {123456789012345.0, "123456789012345"},
      {1e15, "1E+15"},    {1e-7, "1E-7"},       {-2.5e20, "-2.5E+20"}, {1.0 / 3.0, "0.333333333333333"},
      {HUGE_VAL, "#NUM!"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(kw::workbook::NumberText(value), QString::fromUtf8(text)) << value;
  }
}

TEST(WorkbookText, DateCellsAsGermanDatesAndTimes) {
  const std::pair<double, const char*> cases[] = {
      {46367.0, "11.12.2026"},
      {46367.5, "11.12.2026 12:00:00"},
      {46367.99999999, "12.12.2026"},  // rounds to the next midnight
      {0.25, "06:00:00"},
      {-1.0, "-1"},
  };
  for (const auto& [serial, text] : cases) {
    EXPECT_EQ(kw::workbook::DateTimeText(serial), QString::fromUtf8(text)) << serial;
  }
}

TEST(WorkbookText, ColumnLettersToNumbers) {
  const std::pair<const char*, int> cases[] = {
      {"A", 1}, {"Z", 26}, {"AA", 27}, {"AZ", 52}, {"ba", 53}, {"XFD", 16384}, {"XFE", 0}, {"AAAA", 0}, {"", 0}, {"A1", 0},
  };
  for (const auto& [letters, number] : cases) {
    EXPECT_EQ(kw::workbook::ColumnNumber(QString::fromUtf8(letters)), number) << letters;
  }
}

}  // namespace
}  // namespace kwtest
