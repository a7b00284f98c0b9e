#pragma once
// "Quoten-Favoriten": the two web addresses behind the quota window's quick links, kept in
// "QLinks.emql". Opened modally from the quota window; closing only hides it.
#include <QWidget>
#include <array>
#include <string>

#include "core/qlinks.h"
#include "ui/window_context.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kw::ui {

class DataStore;

// A web search for current EuroMillions quotas.
inline constexpr const char* kQuotaSearchUrl =
    "http://www.google.de/webhp?nord=1#nord=1&q=Aktuelle+Quoten+f%C3%BCr+EuroMillionen";

class TFQlinks : public QWidget {
  Q_OBJECT
 public:
  explicit TFQlinks(const WindowContext& context, QWidget* parent = nullptr);

  // The links as saved: a link that is no valid address is empty.
  const QuotaLinks& links() const { return links_; }
  void showModal();

  QLabel* LText = nullptr;
  QLabel* LLink1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QToolButton* BDel = nullptr;
  QLabel* LLink2 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QToolButton* BitBtn2 = nullptr;
  QPushButton* BGoogle = nullptr;
  QPushButton* BitBtn3 = nullptr;
  QPushButton* BitBtn8 = nullptr;

  void BitBtn3Click();
  void BGoogleClick();

 signals:
  // The saved links; an empty text is a link without address.
  void linksChanged(const QString& link1, const QString& link2);

 private:
  void buildDesign();
  void FormCreate();

  DataStore& store_;
  QuotaLinks links_;
};

}  // namespace kw::ui
