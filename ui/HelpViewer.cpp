#include "ui/HelpViewer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtHelp/QHelpContentWidget>
#include <QtHelp/QHelpEngine>
#include <QtHelp/QHelpSearchEngine>
#include <QtHelp/QHelpSearchResult>

#include "core/program.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "ui/artwork.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/navigation.h"

namespace kw::ui {

namespace {

const QString kPagesFile = QStringLiteral("Kugelwerk.qch");
const QString kCollectionFile = QStringLiteral("Kugelwerk.qhc");
const QString kStampFile = QStringLiteral("stand.txt");
const QString kNamespace = QStringLiteral("de.kugelwerk.hilfe");

QPointer<HelpViewer>& Current() {
  static QPointer<HelpViewer> viewer;
  return viewer;
}

QString& SourceFolderSetting() {
  static QString folder;
  return folder;
}

QString& DataFolderSetting() {
  static QString folder;
  return folder;
}

QString Stamp(const QFileInfo& file) {
  return QStringLiteral("%1 %2 %3")
      .arg(file.fileName())
      .arg(file.size())
      .arg(file.lastModified().toMSecsSinceEpoch());
}

QString Html(const QString& text) { return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")); }

}  // namespace

// ---- browser ------------------------------------------------------------------------------

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  const QUrl url = name.isRelative() ? source().resolved(name) : name;
  if (engine_ && url.scheme() == QLatin1String("qthelp")) {
    const QByteArray bytes = engine_->fileData(url);
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
      return QString::fromUtf8(bytes);
    return bytes;
  }
  return QTextBrowser::loadResource(type, name);
}

// ---- viewer -------------------------------------------------------------------------------

HelpViewer* HelpViewer::instance() {
  if (!Current()) {
    const QString source =
        SourceFolderSetting().isEmpty() ? QString::fromStdString(platform::ShippedFilesDirectory()) : SourceFolderSetting();
    const QString data =
        DataFolderSetting().isEmpty() ? QString::fromStdString(platform::EnsureDataDirectory().path) : DataFolderSetting();
    auto* viewer = new HelpViewer(source, data + QStringLiteral("Hilfe"));
    // Top-level without a parent: gone before the application object is.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, viewer, [viewer] { delete viewer; });
    Current() = viewer;
  }
  return Current();
}

HelpViewer* HelpViewer::existing() { return Current(); }

void HelpViewer::setSourceFolder(const QString& folder) {
  delete Current().data();
  SourceFolderSetting() = folder;
}

void HelpViewer::setDataFolder(const QString& folder) {
  if (DataFolderSetting() != folder) delete Current().data();
  DataFolderSetting() = folder;
}

QUrl HelpViewer::PageUrl(int context) {
  return QUrl(QStringLiteral("qthelp://%1/doc/%2.html").arg(kNamespace).arg(context));
}

HelpViewer::HelpViewer(const QString& sourceFolder, const QString& workFolder, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FHelp"));
  setWindowTitle(QString::fromStdString(WindowCaption("- Hilfe")));
  setWindowIcon(ToolIcon(Command::WindowHelp));
  setFont(ProgramFont());
  buildDesign();
  if (openEngine(sourceFolder, workFolder)) showPage(kHelpContents);
  resize(940, 660);
}

HelpViewer::~HelpViewer() {
  if (engine_) {
    // The indexer and the search run in threads of the engine: stop them before it goes.
    engine_->searchEngine()->cancelIndexing();
    engine_->searchEngine()->cancelSearching();
  }
}

void HelpViewer::buildDesign() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(6);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(4);
  auto makeButton = [this, buttons](const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(90);
    buttons->addWidget(button);
    return button;
  };
  BZurueck = makeButton("BZurueck", "◀ Zurück");
  BVor = makeButton("BVor", "Vor ▶");
  BInhalt = makeButton("BInhalt", "Inhalt");
  buttons->addStretch(1);
  column->addLayout(buttons);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setChildrenCollapsible(false);
  column->addWidget(splitter, 1);

  PCNavigation = new QTabWidget(splitter);
  PCNavigation->setObjectName(QStringLiteral("PCNavigation"));

  auto* searchPage = new QWidget(PCNavigation);
  searchPage->setObjectName(QStringLiteral("TSSuche"));
  auto* searchColumn = new QVBoxLayout(searchPage);
  searchColumn->setContentsMargins(6, 6, 6, 6);
  auto* prompt = new QLabel(QStringLiteral("Suchbegriffe:"), searchPage);
  searchColumn->addWidget(prompt);
  auto* queryRow = new QHBoxLayout;
  ESuche = new QLineEdit(searchPage);
  ESuche->setObjectName(QStringLiteral("ESuche"));
  ESuche->setPlaceholderText(QStringLiteral("z. B. Quoten"));
  prompt->setBuddy(ESuche);
  BSuchen = new QPushButton(QStringLiteral("Suchen"), searchPage);
  BSuchen->setObjectName(QStringLiteral("BSuchen"));
  queryRow->addWidget(ESuche, 1);
  queryRow->addWidget(BSuchen);
  searchColumn->addLayout(queryRow);
  LTreffer = new QLabel(searchPage);
  LTreffer->setObjectName(QStringLiteral("LTreffer"));
  LTreffer->setWordWrap(true);
  searchColumn->addWidget(LTreffer);
  LBErgebnis = new QListWidget(searchPage);
  LBErgebnis->setObjectName(QStringLiteral("LBErgebnis"));
  LBErgebnis->setWordWrap(true);
  searchColumn->addWidget(LBErgebnis, 1);

  Browser = new HelpBrowser(splitter);
  Browser->setObjectName(QStringLiteral("Browser"));
  Browser->setOpenLinks(false);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({280, 660});

  PCNavigation->addTab(new QWidget(PCNavigation), QStringLiteral("Inhalt"));
  PCNavigation->addTab(searchPage, QStringLiteral("Suche"));

  BZurueck->setEnabled(false);
  BVor->setEnabled(false);
  connect(BZurueck, &QPushButton::clicked, Browser, &QTextBrowser::backward);
  connect(BVor, &QPushButton::clicked, Browser, &QTextBrowser::forward);
  connect(Browser, &QTextBrowser::backwardAvailable, BZurueck, &QWidget::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, BVor, &QWidget::setEnabled);
  connect(BInhalt, &QPushButton::clicked, this, [this] { showPage(kHelpContents); });
  connect(Browser, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& link) { openUrl(Browser->source().resolved(link)); });
  connect(Browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) { selectInContents(url); });
  connect(BSuchen, &QPushButton::clicked, this, &HelpViewer::startSearch);
  connect(ESuche, &QLineEdit::returnPressed, this, &HelpViewer::startSearch);
  connect(LBErgebnis, &QListWidget::itemClicked, this, &HelpViewer::resultClicked);
  connect(LBErgebnis, &QListWidget::itemActivated, this, &HelpViewer::resultClicked);
}

bool HelpViewer::openEngine(const QString& sourceFolder, const QString& workFolder) {
  const QFileInfo pages(QDir(sourceFolder).filePath(kPagesFile));
  const QFileInfo collection(QDir(sourceFolder).filePath(kCollectionFile));
  for (const QFileInfo& file : {pages, collection}) {
    if (!file.isFile()) {
      showMessage(QStringLiteral("Die Hilfedatei \"%1\" wurde nicht gefunden.\n\n"
                                 "Sie gehört in den Programmordner %2. "
                                 "Installieren Sie das Programm bitte neu, dann ist auch die Hilfe wieder da.")
                      .arg(file.fileName(), QDir::toNativeSeparators(sourceFolder)));
      return false;
    }
  }

  // Work on a copy; refresh it (and drop the old search index) when the program's files change,
  // and once more when the copy cannot be opened, so a damaged copy never outlives a restart.
  const QString stamp = Stamp(pages) + QLatin1Char('\n') + Stamp(collection);
  QHelpEngine* engine = nullptr;
  QString error;
  for (const bool force : {false, true}) {
    if (!refreshWorkCopy(sourceFolder, workFolder, stamp, force)) {
      showMessage(QStringLiteral("Die Hilfe kann nicht in den Ordner %1 kopiert werden.")
                      .arg(QDir::toNativeSeparators(workFolder)));
      return false;
    }
    engine = new QHelpEngine(QDir(workFolder).filePath(kCollectionFile), this);
    if (engine->setupData() && !engine->fileData(PageUrl(kHelpContents)).isEmpty()) break;
    error = engine->error();
    delete engine;
    engine = nullptr;
  }
  if (!engine) {
    showMessage(QStringLiteral("Die Hilfedatei \"%1\" ist beschädigt und kann nicht gelesen werden.%2\n\n"
                               "Installieren Sie das Programm bitte neu, dann ist auch die Hilfe wieder da.")
                    .arg(kCollectionFile, error.isEmpty() ? QString() : QStringLiteral("\n") + error));
    return false;
  }
  engine_ = engine;
  Browser->setEngine(engine_);

  QHelpContentWidget* contents = engine_->contentWidget();
  contents->setObjectName(QStringLiteral("contentsList"));
  contentsList = contents;
  QWidget* placeholder = PCNavigation->widget(0);
  PCNavigation->removeTab(0);
  delete placeholder;
  PCNavigation->insertTab(0, contents, QStringLiteral("Inhalt"));
  PCNavigation->setCurrentIndex(0);
  connect(contents, &QHelpContentWidget::linkActivated, this, &HelpViewer::openUrl);
  // One click opens a page, as in the search results.
  connect(contents, &QHelpContentWidget::clicked, this, [this](const QModelIndex& index) {
    if (QHelpContentItem* item = engine_->contentModel()->contentItemAt(index)) openUrl(item->url());
  });
  connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
    contents->expandAll();
    selectInContents(Browser->source());
  });

  QHelpSearchEngine* search = engine_->searchEngine();
  connect(search, &QHelpSearchEngine::indexingFinished, this, [this] {
    indexReady_ = true;
    emit indexingDone();
    if (!pendingSearch_.isEmpty()) startSearch();
  });
  connect(search, &QHelpSearchEngine::searchingFinished, this, &HelpViewer::searchDone);
  search->scheduleIndexDocumentation();
  return true;
}

bool HelpViewer::refreshWorkCopy(const QString& sourceFolder, const QString& workFolder, const QString& stamp,
                                 bool force) {
  QDir work(workFolder);
  QFile stampFile(work.filePath(kStampFile));
  QString oldStamp;
  if (stampFile.open(QIODevice::ReadOnly)) oldStamp = QString::fromUtf8(stampFile.readAll());
  stampFile.close();
  const QString workPages = work.filePath(kPagesFile);
  const QString workCollection = work.filePath(kCollectionFile);
  if (!force && oldStamp == stamp && QFileInfo::exists(workPages) && QFileInfo::exists(workCollection)) return true;

  if (!work.mkpath(QStringLiteral("."))) return false;
  stampFile.remove();
  QDir(work.filePath(QStringLiteral(".Kugelwerk"))).removeRecursively();
  QFile::remove(workPages);
  QFile::remove(workCollection);
  const QDir source(sourceFolder);
  if (!QFile::copy(source.filePath(kPagesFile), workPages) ||
      !QFile::copy(source.filePath(kCollectionFile), workCollection))
    return false;
  // Copies of read-only installed files stay read-only; the engine and the indexer write.
  for (const QString& file : {workPages, workCollection})
    QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::WriteOwner);
  if (!stampFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  stampFile.write(stamp.toUtf8());
  return true;
}

void HelpViewer::showMessage(const QString& text) {
  message_ = text;
  Browser->setHtml(QStringLiteral("<h2 style=\"color:#8a1c1c\">Hilfe nicht verfügbar</h2><p>%1</p>").arg(Html(text)));
}

bool HelpViewer::showPage(int context) {
  if (!engine_) return false;  // the message about the missing file stays
  const QUrl url = PageUrl(context);
  if (!engine_->fileData(url).isEmpty()) {
    openUrl(url);
    return true;
  }
  showMessage(QStringLiteral("Zu der Hilfenummer %1 enthält die Hilfedatei keine Seite.\n\n"
                             "Über \"Inhalt\" finden Sie alle Seiten der Hilfe.")
                  .arg(context));
  return false;
}

void HelpViewer::openUrl(const QUrl& url) {
  if (url.scheme() != QLatin1String("qthelp")) {
    kw::platform::OpenUrl(url.toString().toStdString());
    return;
  }
  if (!engine_ || engine_->fileData(url).isEmpty()) {
    showMessage(QStringLiteral("Die Seite \"%1\" fehlt in der Hilfedatei.").arg(url.fileName()));
    return;
  }
  message_.clear();
  Browser->setSource(url);
}

void HelpViewer::selectInContents(const QUrl& url) {
  auto* contents = qobject_cast<QHelpContentWidget*>(contentsList);
  if (!contents || url.isEmpty()) return;
  QUrl page = url;
  page.setFragment(QString());
  const QModelIndex index = contents->indexOf(page);
  if (index.isValid()) contents->setCurrentIndex(index);
}

void HelpViewer::showSearch() {
  PCNavigation->setCurrentWidget(LBErgebnis->parentWidget());
  ESuche->setFocus();
  ESuche->selectAll();
}

void HelpViewer::search(const QString& text) {
  showSearch();
  ESuche->setText(text);
  startSearch();
}

void HelpViewer::startSearch() {
  const QString text = ESuche->text().trimmed();
  pendingSearch_.clear();
  if (text.isEmpty()) return;
  LBErgebnis->clear();
  if (!engine_) {
    LTreffer->setText(QStringLiteral("Ohne Hilfedatei gibt es nichts zu durchsuchen."));
    emit searchFinished(0);
    return;
  }
  if (!indexReady_) {
    pendingSearch_ = text;
    LTreffer->setText(QStringLiteral("Das Suchverzeichnis wird noch aufgebaut, einen Moment bitte..."));
    return;
  }
  LTreffer->setText(QStringLiteral("Suche läuft..."));
  searching_ = true;
  engine_->searchEngine()->search(text);
}

void HelpViewer::searchDone(int hits) {
  if (!searching_) return;
  searching_ = false;
  const QList<QHelpSearchResult> results = engine_->searchEngine()->searchResults(0, hits);
  for (const QHelpSearchResult& result : results) {
    auto* item = new QListWidgetItem(result.title(), LBErgebnis);
    item->setData(Qt::UserRole, result.url());
    item->setToolTip(result.snippet());
  }
  const auto count = LBErgebnis->count();
  if (count == 0)
    LTreffer->setText(QStringLiteral("Keine Seite enthält \"%1\".").arg(ESuche->text().trimmed()));
  else
    LTreffer->setText(count == 1 ? QStringLiteral("1 Seite gefunden:")
                                 : QStringLiteral("%1 Seiten gefunden:").arg(count));
  emit searchFinished(static_cast<int>(count));
}

void HelpViewer::resultClicked(QListWidgetItem* item) {
  if (item) openUrl(item->data(Qt::UserRole).toUrl());
}

QUrl HelpViewer::currentUrl() const { return message_.isEmpty() ? Browser->source() : QUrl(); }

int HelpViewer::currentContext() const {
  const QString base = QFileInfo(currentUrl().path()).completeBaseName();
  bool ok = false;
  const int context = base.toInt(&ok);
  return ok ? context : 0;
}

QStringList HelpViewer::resultTitles() const {
  QStringList titles;
  for (int i = 0; i < LBErgebnis->count(); ++i) titles << LBErgebnis->item(i)->text();
  return titles;
}

}  // namespace kw::ui
