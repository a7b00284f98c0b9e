// Any bytes as a ".xlsx" workbook: a sheet within the limits or a refusal.
#include "import/xlsx_reader.h"
#include "tests/fuzz/workbook_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string file = kwfuzz::ScratchFile(".xlsx");
  return kwfuzz::FuzzWorkbook(data, size, file, kw::workbook::ReadXlsxSheet);
}
