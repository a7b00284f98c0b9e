// Writes the .xlsx workbooks the import tests read, with libxlsxwriter as the real writer:
//   tipps.xlsx   shared strings; sheets "Tipps", "Zweite", "Bereich", "Leer", "AZ", "Werte"
//   inline.xlsx  inline strings (constant-memory mode) with a note far to the right
// Usage: make_workbooks OUTDIR
#include <xlsxwriter.h>

#include <cstdio>
#include <string>

namespace {

void WriteRows(lxw_worksheet* sheet, const int (*rows)[7], int count) {
  for (int r = 0; r < count; ++r) {
    for (int c = 0; c < 7; ++c) {
      worksheet_write_number(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), rows[r][c], nullptr);
    }
  }
}

const int kTips[3][7] = {{2, 7, 12, 22, 38, 4, 7}, {1, 2, 3, 4, 5, 1, 2}, {10, 20, 30, 40, 50, 11, 12}};
const int kSecond[2][7] = {{5, 15, 25, 35, 45, 3, 9}, {6, 16, 26, 36, 46, 5, 10}};

bool WriteTipps(const std::string& path) {
  lxw_workbook* book = workbook_new(path.c_str());
  if (book == nullptr) return false;
  lxw_format* bold = workbook_add_format(book);
  format_set_bold(bold);
  lxw_format* shaded = workbook_add_format(book);
  format_set_bg_color(shaded, LXW_COLOR_YELLOW);
  lxw_format* date = workbook_add_format(book);
  format_set_num_format(date, "dd.mm.yyyy");
  lxw_format* twoPlaces = workbook_add_format(book);
  format_set_num_format(twoPlaces, "0.00");

  WriteRows(workbook_add_worksheet(book, "Tipps"), kTips, 3);
  WriteRows(workbook_add_worksheet(book, "Zweite"), kSecond, 2);

  // Last cell with a value is D10; a formatted but empty cell further out must not count.
  lxw_worksheet* range = workbook_add_worksheet(book, "Bereich");
  worksheet_write_string(range, 0, 0, "Notiz", bold);
  worksheet_write_number(range, 1, 1, 2.5, nullptr);
  worksheet_write_number(range, 3, 0, 0.1, nullptr);
  worksheet_write_number(range, 3, 1, 1234567, nullptr);
  worksheet_write_string(range, 3, 2, "mit, Komma", nullptr);
  worksheet_write_number(range, 3, 3, 7, twoPlaces);
  worksheet_write_number(range, 5, 0, 1234.5678, nullptr);
  char boldPart[] = "fett";
  char plainPart[] = " und normal";
  lxw_rich_string_tuple first = {bold, boldPart};
  lxw_rich_string_tuple second = {nullptr, plainPart};
  lxw_rich_string_tuple* parts[] = {&first, &second, nullptr};
  worksheet_write_rich_string(range, 7, 1, parts, nullptr);
  lxw_datetime day = {2026, 12, 11, 0, 0, 0};
  worksheet_write_datetime(range, 7, 2, &day, date);
  worksheet_write_number(range, 8, 0, 1e15, nullptr);
  worksheet_write_number(range, 8, 1, 0.000123, nullptr);
  worksheet_write_string(range, 8, 2, "Größe \"A\"", nullptr);
  worksheet_write_number(range, 9, 3, 7, nullptr);
  worksheet_write_blank(range, 11, 5, shaded);

  workbook_add_worksheet(book, "Leer");

  lxw_worksheet* wide = workbook_add_worksheet(book, "AZ");
  WriteRows(wide, kTips, 3);
  worksheet_write_string(wide, 1, 51, "Notiz", nullptr);  // column AZ

  // Values the old binary format stores in records of their own.
  lxw_worksheet* values = workbook_add_worksheet(book, "Werte");
  worksheet_write_number(values, 0, 0, -3, nullptr);
  worksheet_write_boolean(values, 0, 1, 1, nullptr);
  worksheet_write_boolean(values, 0, 2, 0, nullptr);
  worksheet_write_formula_num(values, 0, 3, "=3+4", nullptr, 7);

  return workbook_close(book) == LXW_NO_ERROR;
}

bool WriteInline(const std::string& path) {
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
  if (book == nullptr) return false;
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Inline");
  // Constant-memory mode writes row by row and strings inline.
  worksheet_write_string(sheet, 0, 0, "Tipp", nullptr);
  worksheet_write_string(sheet, 0, 51, "Notiz", nullptr);
  for (int c = 0; c < 7; ++c) {
    worksheet_write_number(sheet, 2, static_cast<lxw_col_t>(c), kTips[0][c], nullptr);
  }
  worksheet_write_string(sheet, 3, 27, "AB4", nullptr);
  return workbook_close(book) == LXW_NO_ERROR;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  if (!WriteTipps(dir + "/tipps.xlsx") || !WriteInline(dir + "/inline.xlsx")) {
    std::fprintf(stderr, "could not write the workbooks into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
