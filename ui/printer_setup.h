#pragma once
// The printer set-up dialog through one door, so tests can print into a PDF without a dialog.
#include <QPageLayout>
#include <QString>

class QPrinter;
class QWidget;

namespace kw::ui {

class PrinterSetup {
 public:
  // Shows the page set-up dialog for printer; true when the user confirmed it.
  static bool ask(QWidget* parent, QPrinter& printer);

  // Tests: no dialog opens. The next ask() points the printer at this PDF file in this
  // orientation and confirms; an empty path (or none preset) cancels.
  static void setTestMode(bool on);
  static void setNextPdf(const QString& path, QPageLayout::Orientation orientation = QPageLayout::Portrait);
};

}  // namespace kw::ui
