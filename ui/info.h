#pragma once
// The about box "Programm-Info": version and the maker's contact lines; the mail line starts a
// new message in the user's mail program. Created on demand and destroyed when closed.
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace kw::ui {

inline constexpr const char* kMakerMailAddress = "info@kugelwerk-lotto.de";

class TFInfo : public QWidget {
  Q_OBJECT
 public:
  explicit TFInfo(QWidget* parent = nullptr);

  QLabel* LTitle = nullptr;
  QLabel* LVersion = nullptr;
  QFrame* PKontakt = nullptr;
  QLabel* LName = nullptr;
  QLabel* LStrasse = nullptr;
  QLabel* LPLZOrt = nullptr;
  QLabel* LTelefon = nullptr;
  QLabel* LFax = nullptr;
  QLabel* LMail = nullptr;
  QPushButton* BitBtn8 = nullptr;
  QToolButton* BClose = nullptr;  // the small close button in the picture's corner

  // "mailto:<address>?subject=Kugelwerk"
  static QString MailLink();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LMailClick();
};

}  // namespace kw::ui
