#include "core/program.h"

namespace kw {

std::string WindowCaption(const std::string& suffix) {
  return std::string(kProgramTitle) + " " + kProgramVersion + " " + suffix;
}

}  // namespace kw
