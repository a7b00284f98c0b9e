#pragma once
// The full-system builder "Vollsystem-Reihen bilden".
class QWidget;

namespace kw::ui {

// Places the builder beside the tip entry window `entry` and shows it (created on first use).
void ShowSysToolBeside(QWidget* entry);

}  // namespace kw::ui
