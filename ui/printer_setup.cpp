#include "ui/printer_setup.h"

#include <QPageSetupDialog>
#include <QPrinter>
#include <deque>
#include <utility>

namespace kw::ui {

namespace {
PrinterSetup::Hook& TestHook() {
  static PrinterSetup::Hook hook;
  return hook;
}
std::deque<std::pair<QString, QPageLayout::Orientation>>& PresetPdfs() {
  static std::deque<std::pair<QString, QPageLayout::Orientation>> next;
  return next;
}
}  // namespace

void PrinterSetup::setTestHook(Hook hook) { TestHook() = std::move(hook); }

void PrinterSetup::setTestMode(bool on) {
  PresetPdfs().clear();
  if (!on) {
    setTestHook({});
    return;
  }
  setTestHook([](QWidget*, QPrinter& printer) {
    auto& next = PresetPdfs();
    if (next.empty()) return false;
    const auto [path, orientation] = next.front();
    next.pop_front();
    if (path.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(orientation);
    return true;
  });
}

void PrinterSetup::setNextPdf(const QString& path, QPageLayout::Orientation orientation) {
  PresetPdfs().emplace_back(path, orientation);
}

bool PrinterSetup::ask(QWidget* parent, QPrinter& printer) {
  if (TestHook()) return TestHook()(parent, printer);
  QPageSetupDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("PSD1"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace kw::ui
