#include "ui/help.h"

namespace kw::ui {

// Placeholder until the help viewer exists.
void ShowHelpPage(int context) { (void)context; }
void ShowHelpSearch() {}

}  // namespace kw::ui
