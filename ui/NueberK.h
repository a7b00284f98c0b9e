#pragma once
// The small calculator "n über k": how many subsets of k elements a set of n elements has.
// Fixed size; created at start, closing only hides it.
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;

namespace kw::ui {

class TFNueberK : public QWidget {
  Q_OBJECT
 public:
  explicit TFNueberK(QWidget* parent = nullptr);

  // Places the window in the middle of `window` (the main window), as it opens there.
  void centreOn(const QWidget* window);

  QToolBar* PMenu = nullptr;
  QAction* BitBtn7 = nullptr;  // "Programm beenden": no action in this window
  QAction* BitBtn5 = nullptr;  // help
  QLabel* LText1 = nullptr;
  QLabel* LText2 = nullptr;
  QLineEdit* E1 = nullptr;
  QLineEdit* E2 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // compute
  QLabel* P1 = nullptr;
  QPushButton* BitBtn8 = nullptr;

  void BitBtn1Click();
};

}  // namespace kw::ui
