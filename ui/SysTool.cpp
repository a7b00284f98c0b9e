#include "ui/SysTool.h"

namespace kw::ui {

// Placeholder until the builder window exists.
void ShowSysToolBeside(QWidget* entry) { (void)entry; }

}  // namespace kw::ui
