#pragma once
// The printer set-up dialog through one door, so tests can print into a PDF without a dialog.
#include <QPageLayout>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace kw::ui {

// What a print that the printer refuses says, wherever a grid is printed.
inline constexpr const char* kPrinterRefusedMessage = "Der Drucker lässt sich nicht ansprechen.\r\rIch breche ab.";

class PrinterSetup {
 public:
  // Shows the page set-up dialog for printer; true when the user confirmed it.
  static bool ask(QWidget* parent, QPrinter& printer);

  // Tests: ask() calls this instead of opening the dialog; an empty function restores the dialog.
  using Hook = std::function<bool(QWidget* parent, QPrinter& printer)>;
  static void setTestHook(Hook hook);

  // Tests, on top of the hook: the next ask() points the printer at this PDF file in this
  // orientation and confirms; an empty path (or none preset) cancels.
  static void setTestMode(bool on);
  static void setNextPdf(const QString& path, QPageLayout::Orientation orientation = QPageLayout::Portrait);
};

}  // namespace kw::ui
