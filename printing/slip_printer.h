#pragma once
// Paints one betting slip onto a printer: every mark a bold navy text 3.5 mm high whose top-left
// corner sits at the slip position, moved by the user's corrections and set off against the
// printer's unprintable margin, so that it lands at the same place on the paper on any printer.
#include <QString>
#include <memory>
#include <vector>

#include "printing/slip_geometry.h"

class QPrinter;

namespace kw {

inline constexpr const char* kSlipJobTitle = "Tippschein-Druck";

// The printer's unprintable margin at the left and top, in tenths of a millimetre.
PrintCorrection PrinterMargins(const QPrinter& printer, int horizontal, int vertical);

// One slip as a print job of its own. False when the printer could not be opened.
bool PrintSlip(QPrinter& printer, const std::vector<SlipMark>& marks, int horizontal, int vertical);

// Hands out the printer for each slip's job.
class SlipJobPrinter {
 public:
  virtual ~SlipJobPrinter() = default;
  // job counts the run's jobs from 1, repeated slips included; null ends the run.
  virtual QPrinter* printerForJob(int job) = 0;
};

// Every job on the one printer chosen by the user. Printing into a file, each job after the first
// goes into a file of its own ("Scheine.pdf", "Scheine-2.pdf", ...) instead of replacing the one before.
class SamePrinterJobs : public SlipJobPrinter {
 public:
  explicit SamePrinterJobs(QPrinter& printer);
  ~SamePrinterJobs() override;  // the printer keeps the file name the user chose
  QPrinter* printerForJob(int job) override;

 private:
  QPrinter& printer_;
  QString fileName_;
};

// Every job into a PDF file of its own, "<stem>-<job>.pdf": one file per slip, like one sheet
// per job on a printer.
class PdfSlipJobs : public SlipJobPrinter {
 public:
  // stem is a path without ".pdf"; fullPage: no unprintable margin.
  explicit PdfSlipJobs(QString stem, bool fullPage = true);
  ~PdfSlipJobs() override;
  QPrinter* printerForJob(int job) override;
  QString fileOf(int job) const;
  int jobs() const { return jobs_; }

 private:
  QString stem_;
  bool fullPage_;
  int jobs_ = 0;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace kw
