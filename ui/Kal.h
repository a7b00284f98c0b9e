#pragma once
// The calendar "Kalender": one month calendar and a close button. Closing only hides it.
#include <QWidget>

class QCalendarWidget;
class QPushButton;

namespace kw::ui {

class TFKal : public QWidget {
  Q_OBJECT
 public:
  explicit TFKal(QWidget* parent = nullptr);

  QCalendarWidget* MC1 = nullptr;
  QPushButton* BitBtn8 = nullptr;
};

}  // namespace kw::ui
