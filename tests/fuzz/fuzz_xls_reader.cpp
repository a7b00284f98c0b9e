// Any bytes as a ".xls" workbook: a sheet within the limits or a refusal.
#include "import/xls_reader.h"
#include "tests/fuzz/workbook_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string file = kwfuzz::ScratchFile(".xls");
  return kwfuzz::FuzzWorkbook(data, size, file, kw::workbook::ReadXlsSheet);
}
