#pragma once
#include <cstddef>
#include <cstdint>

// Row matrices of the reduced systems (keys 1..237), written by tools/coverings.
namespace kw::system_matrices {

struct MatrixRef {
  std::uint32_t offset;  // first byte in kBytes
  std::uint16_t rows;
  std::uint8_t k;  // positions per row
};

extern const std::uint8_t kBytes[];
extern const std::size_t kByteCount;
// Indexed by key; index 0 is unused and empty.
extern const MatrixRef kMatrices[238];

}  // namespace kw::system_matrices
