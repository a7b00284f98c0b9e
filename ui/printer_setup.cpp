#include "ui/printer_setup.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <deque>
#include <utility>

namespace kw::ui {

namespace {
struct TestState {
  bool on = false;
  std::deque<std::pair<QString, QPageLayout::Orientation>> next;
};
TestState& Test() {
  static TestState state;
  return state;
}
}  // namespace

void PrinterSetup::setTestMode(bool on) {
  Test().on = on;
  Test().next.clear();
}

void PrinterSetup::setNextPdf(const QString& path, QPageLayout::Orientation orientation) {
  Test().next.emplace_back(path, orientation);
}

bool PrinterSetup::ask(QWidget* parent, QPrinter& printer) {
  TestState& test = Test();
  if (!test.on) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PSD1"));
    return dialog.exec() == QDialog::Accepted;
  }
  if (test.next.empty()) return false;
  const auto [path, orientation] = test.next.front();
  test.next.pop_front();
  if (path.isEmpty()) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageOrientation(orientation);
  return true;
}

}  // namespace kw::ui
