#pragma once
// Text files the user imports into an entry field.
#include <QString>
#include <cstdint>
#include <vector>

namespace kw::ui {

// UTF-8 when the bytes are valid UTF-8, otherwise the Windows code page older files were written
// in; without a byte order mark and with "\n" line ends.
QString DecodeTextFile(const std::vector<std::uint8_t>& bytes);

}  // namespace kw::ui
