#pragma once
// The help viewer: a window of its own beside the program that shows the pages of the compiled
// help ("Kugelwerk.qch" / "Kugelwerk.qhc" beside the program) by context number, with a contents
// list and a full-text search. A missing help file only shows a message in the viewer.
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;

namespace kw::ui {

// Pages come from the help engine instead of the file system.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpBrowser(QWidget* parent = nullptr) : QTextBrowser(parent) {}
  void setEngine(QHelpEngine* engine) { engine_ = engine; }
  QVariant loadResource(int type, const QUrl& name) override;

 private:
  QHelpEngine* engine_ = nullptr;
};

class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  // `sourceFolder` holds the built help files; the viewer works on a copy in `workFolder`
  // because the search index is written beside the collection and the program folder may be
  // read-only.
  HelpViewer(const QString& sourceFolder, const QString& workFolder, QWidget* parent = nullptr);
  ~HelpViewer() override;

  // The one viewer of the program, created on first use.
  static HelpViewer* instance();
  static HelpViewer* existing();
  // Where the built help files lie (default: the program's folder); drops the current viewer.
  static void setSourceFolder(const QString& folder);
  // The data folder, in which the viewer keeps its working copy ("Hilfe").
  static void setDataFolder(const QString& folder);

  // Shows the page of a context number; false (and a message in the viewer) when the help file
  // is missing or has no such page.
  bool showPage(int context);
  // Shows the search page with the cursor in the query field.
  void showSearch();
  // Runs a full-text search; results arrive with searchFinished (after indexing when needed).
  void search(const QString& text);

  bool helpAvailable() const { return engine_ != nullptr; }
  bool indexReady() const { return indexReady_; }
  // The message shown instead of a page, empty while a page is shown.
  QString message() const { return message_; }
  int currentContext() const;
  QUrl currentUrl() const;
  QStringList resultTitles() const;

  static QUrl PageUrl(int context);

  QTabWidget* PCNavigation = nullptr;
  QWidget* contentsList = nullptr;
  QLineEdit* ESuche = nullptr;
  QPushButton* BSuchen = nullptr;
  QLabel* LTreffer = nullptr;
  QListWidget* LBErgebnis = nullptr;
  HelpBrowser* Browser = nullptr;
  QPushButton* BZurueck = nullptr;
  QPushButton* BVor = nullptr;
  QPushButton* BInhalt = nullptr;

 signals:
  void indexingDone();
  void searchFinished(int hits);

 private:
  void buildDesign();
  bool openEngine(const QString& sourceFolder, const QString& workFolder);
  bool refreshWorkCopy(const QString& sourceFolder, const QString& workFolder, const QString& stamp, bool force);
  void showMessage(const QString& text);
  void openUrl(const QUrl& url);
  void startSearch();
  void searchDone(int hits);
  void resultClicked(QListWidgetItem* item);
  void selectInContents(const QUrl& url);

  QHelpEngine* engine_ = nullptr;
  QString message_;
  QString pendingSearch_;
  bool indexReady_ = false;
  bool searching_ = false;
};

}  // namespace kw::ui
