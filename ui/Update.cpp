#include "ui/Update.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/file_io.h"
#include "core/german_format.h"
#include "core/program.h"
#include "core/settings_ini.h"
#include "platform/installer_launch.h"
#include "platform/shell.h"
#include "update/apply_update.h"
#include "update/self_update.h"
#include "update/server_config.h"
#include "ui/data_store.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/navigation.h"
#include "ui/named_widget.h"

namespace kw::ui {

namespace {

platform::TransportOptions& Options() {
  static platform::TransportOptions options;
  return options;
}

// A news page is a page, not a download: anything larger is not ours.
constexpr std::size_t kMaxNewsBytes = 1u << 20;

const QColor kSuccessColour(0x00, 0xFF, 0x00);
const QColor kFailureColour(0xFF, 0x80, 0x80);

void Fill(QWidget* panel, const QColor& colour) {
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  panel->setPalette(palette);
  panel->setAutoFillBackground(true);
}

// A version panel: sunken, white, the text centred.
QLabel* VersionPanel(QWidget* parent, const char* name) {
  auto* panel = PlainLabel(parent, name, QString());
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setMinimumSize(110, 22);
  panel->setFont(BoldFont(9));
  Fill(panel, Qt::white);
  return panel;
}

// "https://host/downloads/GZahlen.emz" -> "GZahlen.emz".
QString FileOfUrl(const std::string& url) {
  const QString path = QUrl(QString::fromStdString(url)).path();
  return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

NavigationTable UpdateTable() {
  NavigationTable table;
  // No tool bar: the program's menu, where "Sch&ließen" closes this window.
  table.own = {Command::UpdateCheck};
  table.hidden = {Command::Print, Command::PrinterSetup};
  table.closeInsteadOfQuit = true;
  table.helpSearchEntry = true;
  return table;
}

}  // namespace

// The news page: the connection test, then one GET.
struct TFUpdate::News : update::Job {
  explicit News(std::string address) : url(std::move(address)) {}
  update::Step next() const override {
    if (!tested) return update::ConnectionTest{url};
    if (online && !answered) return update::GetRequest{url, kMaxNewsBytes, false};
    return update::Finished{};
  }
  void answerConnection(bool isOnline) override {
    tested = true;
    online = isOnline;
  }
  void answerGet(update::GetReply r) override {
    answered = true;
    reply = std::move(r);
  }
  void answerFtpSize(std::optional<std::int64_t>) override {}

  std::string url;
  bool tested = false;
  bool online = false;
  bool answered = false;
  update::GetReply reply;
};

platform::TransportOptions UpdateTransportOptions() { return Options(); }
void SetUpdateTransportOptions(const platform::TransportOptions& options) { Options() = options; }

Result<update::CheckInputs> CheckInputsFrom(const DataStore& store) {
  const IniFile ini = IniFile::Load(store.dataFile(kIniFileName));
  auto server = update::CheckServerSettings(update::ReadServerSettings(ini));
  if (!server) return server.error();
  update::CheckInputs in;
  in.server = *server;
  in.draws = store.draws();
  in.quotas = store.quotas();
  in.localDrawsFileSize = update::LocalFileSize(store.dataFile(kDrawsFileName));
  return in;
}

void ApplyCheck(DataStore& store, const update::CheckInputs& inputs, update::CheckResult& result) {
  store.change([&](DataSet& d) {
    update::ApplyToDataSet(d, inputs.draws, inputs.quotas, result);
    return true;
  });
}

std::vector<std::string> CheckMessages(const update::CheckResult& result) {
  // A check stopped by the user needs no message; one without connection has its own.
  if (result.stopped || !result.online) return result.online ? std::vector<std::string>{} : result.messages;
  std::vector<std::string> out;
  std::string details;
  auto add = [&](const std::string& text) {
    if (text.empty()) return;
    if (!details.empty()) details += "\r\r";
    details += text;
  };
  if (update::IsFailure(result.draws.status)) add(result.draws.message);
  add(result.draws.notice);
  if (update::IsFailure(result.quotas.status)) add(result.quotas.message);
  if (!details.empty()) out.push_back(details);
  for (const std::string& message : result.messages) {
    if (message == update::kCheckFailedMessage && !result.version.message.empty())
      out.push_back(message + "\r" + result.version.message);
    else
      out.push_back(message);
  }
  return out;
}

TFUpdate::TFUpdate(const WindowContext& context, QWidget* parent)
    : QMainWindow(parent), store_(context.store), runner_(Options()), newsRunner_(Options()) {
  setObjectName(QStringLiteral("FUpdate"));
  setFont(ProgramFont());
  navigation_ = new Navigation(this, UpdateTable(), context.commands);
  navigation_->toolBar()->hide();
  buildDesign();
  FormCreate();
}

TFUpdate::~TFUpdate() = default;

bool TFUpdate::busy() const { return runner_.running() || newsRunner_.running(); }

// ---- design -------------------------------------------------------------------------------

void TFUpdate::buildDesign() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("PClient"));
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->setSpacing(8);

  headingLabel = PlainLabel(central, "headingLabel",
                            QStringLiteral("Aktualisieren Sie hier Gewinnzahlen und Gewinnquoten oder prüfen Sie, ob eine "
                                           "neue Programmversion verfügbar ist."),
                            true);
  headingLabel->setFont(BoldFont(10));
  layout->addWidget(headingLabel);

  auto* columns = new QHBoxLayout;
  columns->setSpacing(10);
  auto* left = new QVBoxLayout;
  left->setSpacing(8);
  left->addWidget(buildChoiceGroup());
  left->addWidget(buildVersionGroup());
  left->addStretch();
  columns->addLayout(left);

  auto* right = new QVBoxLayout;
  web1 = Make<QTextBrowser>(central, "web1");
  web1->setOpenLinks(false);
  web1->setMinimumSize(360, 300);
  connect(web1, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
    // Links of the news page open in the user's browser.
    (void)platform::OpenUrl(url.toString().toStdString());
  });
  BAktuell = Make<QPushButton>(central, "BAktuell");
  BAktuell->setMinimumSize(100, 40);
  auto* newsBar = new QHBoxLayout;
  newsBar->addWidget(BAktuell);
  newsBar->addStretch();
  right->addWidget(web1, 1);
  right->addLayout(newsBar);
  columns->addLayout(right, 1);
  layout->addLayout(columns, 1);

  auto* bottom = new QHBoxLayout;
  progressPanel = Make<QFrame>(central, "progressPanel");
  auto* progress = new QHBoxLayout(progressPanel);
  progress->setContentsMargins(0, 0, 0, 0);
  progressLabel = PlainLabel(progressPanel, "progressLabel", QString());
  progressLabel->setMinimumWidth(300);
  progressBar = Make<QProgressBar>(progressPanel, "progressBar");
  progressBar->setTextVisible(false);
  progressBar->setFixedWidth(200);
  stopButton = Make<QPushButton>(progressPanel, "stopButton", QStringLiteral("Abbrechen"));
  stopButton->setToolTip(QStringLiteral("Den laufenden Download abbrechen"));
  for (QWidget* w : std::initializer_list<QWidget*>{progressBar, stopButton}) {
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
    w->hide();
  }
  progress->addWidget(progressLabel, 1);
  progress->addWidget(progressBar);
  progress->addWidget(stopButton);
  BitBtn8 = Make<QPushButton>(central, "BitBtn8", QStringLiteral("Sch&ließen"));
  BitBtn8->setMinimumSize(96, 28);
  bottom->addWidget(progressPanel, 1);
  bottom->addWidget(BitBtn8);
  layout->addLayout(bottom);

  connect(BAbfrage, &QPushButton::clicked, this, [this] { RunCheck(true); });
  connect(BDown, &QPushButton::clicked, this, &TFUpdate::BDownClick);
  connect(BitBtn2, &QPushButton::clicked, this, &TFUpdate::BitBtn2Click);
  connect(BAktuell, &QPushButton::clicked, this, &TFUpdate::BAktuellClick);
  connect(stopButton, &QPushButton::clicked, this, &TFUpdate::stopClick);
  connect(BitBtn8, &QPushButton::clicked, this, &QWidget::close);
}

QWidget* TFUpdate::buildChoiceGroup() {
  choiceGroup = Make<QGroupBox>(this, "choiceGroup", QStringLiteral("Wählen Sie..."));
  choiceGroup->setFont(BoldFont());
  auto* grid = new QGridLayout(choiceGroup);
  grid->setVerticalSpacing(4);
  CB1 = Make<QCheckBox>(choiceGroup, "CB1", QStringLiteral("Gewinnzahlen aktualisieren"));
  CB2 = Make<QCheckBox>(choiceGroup, "CB2", QStringLiteral("Gewinnquoten aktualisieren"));
  CB3 = Make<QCheckBox>(choiceGroup, "CB3", BreakAtHyphens(QStringLiteral("Prüfen, ob neuere Programm- version verfügbar ist")));
  auto statusPanel = [this](const char* panelName, const char* labelName, QLabel** label) {
    auto* panel = Make<QFrame>(choiceGroup, panelName);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFixedHeight(22);
    auto* inner = new QHBoxLayout(panel);
    inner->setContentsMargins(6, 0, 6, 0);
    *label = PlainLabel(panel, labelName, QString());
    (*label)->setFont(BoldFont());
    inner->addWidget(*label);
    Fill(panel, palette().color(QPalette::Button));
    return panel;
  };
  PCB1 = statusPanel("PCB1", "LCB1", &LCB1);
  PCB2 = statusPanel("PCB2", "LCB2", &LCB2);
  BAbfrage = Make<QPushButton>(choiceGroup, "BAbfrage");
  BAbfrage->setMinimumSize(100, 48);
  for (QWidget* w : std::initializer_list<QWidget*>{CB1, CB2, CB3, BAbfrage}) w->setFont(ProgramFont());
  grid->addWidget(CB1, 0, 0);
  grid->addWidget(PCB1, 1, 0);
  grid->addWidget(CB2, 2, 0);
  grid->addWidget(PCB2, 3, 0);
  grid->addWidget(CB3, 4, 0);
  grid->addWidget(BAbfrage, 0, 1, 5, 1, Qt::AlignCenter);
  grid->setColumnStretch(0, 1);
  grid->setColumnMinimumWidth(0, 230);
  return choiceGroup;
}

QWidget* TFUpdate::buildVersionGroup() {
  versionGroup = Make<QGroupBox>(this, "versionGroup", QStringLiteral("Programmversion"));
  versionGroup->setFont(BoldFont());
  auto* layout = new QVBoxLayout(versionGroup);
  layout->setSpacing(6);

  auto* versions = new QGridLayout;
  auto* installed = PlainLabel(versionGroup, "LInstalliert", QStringLiteral("Installierte Version"));
  auto* current = PlainLabel(versionGroup, "LAktuell", QStringLiteral("Aktuelle Version"));
  PAkt = VersionPanel(versionGroup, "PAkt");
  POnl = VersionPanel(versionGroup, "POnl");
  Panel4 = PlainLabel(versionGroup, "Panel4", QStringLiteral("nicht geprüft"));
  Panel4->setAlignment(Qt::AlignCenter);
  Panel4->setMinimumHeight(22);
  Panel4->setFont(BoldFont());
  Fill(Panel4, kFailureColour);
  for (QLabel* l : {installed, current}) l->setFont(ProgramFont());
  versions->addWidget(installed, 0, 0);
  versions->addWidget(PAkt, 1, 0);
  versions->addWidget(current, 0, 1);
  versions->addWidget(POnl, 1, 1);
  versions->addWidget(Panel4, 2, 1);
  layout->addLayout(versions);

  downloadNotice = RegularLabel(versionGroup, "downloadNotice",
                                QStringLiteral("Wenn die Update-Prüfung positiv verläuft, dann wird hier ein Download- und "
                                               "ein Installations- Button eingeblendet."),
                                true);
  downloadNotice->setMargin(6);
  downloadNotice->setStyleSheet(QStringLiteral("QLabel { background: #000040; color: white; }"));
  layout->addWidget(downloadNotice);

  Panel6 = Make<QFrame>(versionGroup, "Panel6");
  Panel6->setFrameShape(QFrame::StyledPanel);
  auto* download = new QGridLayout(Panel6);
  auto* afterDownload = RegularLabel(
      Panel6, "LNachDownload", QStringLiteral("Nach Abschluss des Downloads wird der Button [Installieren] sichtbar."), true);
  BDown = Make<QPushButton>(Panel6, "BDown", QStringLiteral("Download"));
  BDown->setMinimumSize(100, 30);
  BDown->setFont(ProgramFont());
  PInst = Make<QFrame>(Panel6, "PInst");
  auto* install = new QHBoxLayout(PInst);
  install->setContentsMargins(0, 0, 0, 0);
  auto* warning = RegularLabel(PInst, "LInstallation",
                               QStringLiteral("Wenn die Installation startet, wird das Programm beendet.   Das Update ist "
                                              "in das Programm- verzeichnis zu installieren."),
                               true);
  warning->setStyleSheet(QStringLiteral("QLabel { color: #D00000; }"));
  BitBtn2 = Make<QPushButton>(PInst, "BitBtn2", QStringLiteral("Installieren"));
  BitBtn2->setMinimumSize(100, 30);
  BitBtn2->setFont(ProgramFont());
  install->addWidget(warning, 1);
  install->addWidget(BitBtn2);
  download->addWidget(afterDownload, 0, 0);
  download->addWidget(BDown, 0, 1);
  download->addWidget(PInst, 1, 0, 1, 2);
  layout->addWidget(Panel6);

  Panel4->hide();
  Panel6->hide();
  PInst->hide();
  return versionGroup;
}

void TFUpdate::FormCreate() {
  BAbfrage->setText(QStringLiteral("Abfrage\nstarten"));
  BAktuell->setText(QStringLiteral("Gibt es\nNeues?"));
  setWindowTitle(Q(WindowCaption("- Updates")));
  // Without a settings file the record is all zero: none of the three is ticked.
  const SettingsRecord& settings = store_.settings();
  CB2->setChecked(settings.CBGewinnQuoten);
  CB1->setChecked(settings.CBGewinnreihen);
  CB3->setChecked(settings.CBUpdates);
  PAkt->setText(QString::fromUtf8(kProgramVersion));
  resize(840, sizeHint().height());
  RunCheck(false);
}

void TFUpdate::showEvent(QShowEvent* event) {
  PAkt->setText(QString::fromUtf8(kProgramVersion));
  QMainWindow::showEvent(event);
}

// ---- the check ------------------------------------------------------------------------------

void TFUpdate::setStatus(QFrame* panel, QLabel* label, update::StepStatus status, const std::string& detail) {
  label->setText(Q(update::StatusText(status)));
  panel->setToolTip(Q(detail));
  if (status == update::StepStatus::NotRun)
    Fill(panel, palette().color(QPalette::Button));
  else
    Fill(panel, status == update::StepStatus::Updated ? kSuccessColour : kFailureColour);
}

bool TFUpdate::RunCheck(bool userInitiated) {
  if (runner_.running()) return false;
  setStatus(PCB1, LCB1, update::StepStatus::NotRun, {});
  setStatus(PCB2, LCB2, update::StepStatus::NotRun, {});
  auto inputs = CheckInputsFrom(store_);
  if (!inputs) {
    if (userInitiated) MessageBox::showError(this, inputs.error());
    if (CB1->isChecked()) setStatus(PCB1, LCB1, update::StepStatus::Failed, inputs.error().message);
    if (CB2->isChecked()) setStatus(PCB2, LCB2, update::StepStatus::Failed, inputs.error().message);
    return true;
  }
  inputs_ = std::move(*inputs);
  const update::CheckOptions options{CB1->isChecked(), CB2->isChecked(), CB3->isChecked(), userInitiated};
  check_ = std::make_unique<update::UpdateCheck>(inputs_, options);
  running_ = check_.get();
  jobStarted(QStringLiteral("Die Verbindung zum Server wird geprüft ..."));
  runner_.start(
      *check_, [this](std::int64_t received, std::int64_t total) { showProgress(received, total); },
      [this, userInitiated] { checkFinished(userInitiated); });
  return true;
}

void TFUpdate::checkFinished(bool userInitiated) {
  jobEnded();
  update::CheckResult result = check_->result();
  ApplyCheck(store_, inputs_, result);
  setStatus(PCB1, LCB1, result.draws.status, result.draws.message);
  setStatus(PCB2, LCB2, result.quotas.status, result.quotas.message);
  Panel4->setVisible(result.version.showNotChecked);
  if (result.version.checked) {
    PAkt->setText(Q(result.version.installed));
    POnl->setText(Q(result.version.online));
    Panel6->setVisible(result.version.showDownload);
  }
  if (userInitiated)
    for (const std::string& message : CheckMessages(result)) MessageBox::show(this, MessageBox::Information, message);
}

// ---- the new version ---------------------------------------------------------------------------

void TFUpdate::BDownClick() {
  if (runner_.running()) return;
  auto inputs = CheckInputsFrom(store_);
  if (!inputs) {
    MessageBox::showError(this, inputs.error());
    return;
  }
  download_ = std::make_unique<update::InstallerDownload>(inputs->server);
  running_ = download_.get();
  jobStarted(QStringLiteral("Die Verbindung zum Server wird geprüft ..."));
  runner_.start(
      *download_, [this](std::int64_t received, std::int64_t total) { showProgress(received, total); },
      [this] { downloadFinished(); });
}

void TFUpdate::downloadFinished() {
  jobEnded();
  const update::InstallerOutcome& outcome = download_->outcome();
  const auto installer = update::ApplyInstallerDownload(store_.dataDir(), outcome);
  if (installer) {
    PInst->show();
    return;
  }
  if (outcome.stopped) return;
  std::string text = outcome.ok ? update::InstallerFailedMessage() : outcome.message;
  const std::string& why = outcome.ok ? installer.error().message : outcome.detail;
  if (!why.empty()) text += "\r\r" + why;
  MessageBox::show(this, MessageBox::Information, text);
}

void TFUpdate::BitBtn2Click() {
  const std::string dir = store_.dataDir();
  const std::string program = platform::RunningProgramPath();
  if (MessageBox::show(this, MessageBox::Confirmation, update::InstallConfirmQuestion(dir), MessageBox::YesNo) !=
      MessageBox::Yes) {
    MessageBox::show(this, MessageBox::Information, update::InstallDeclinedMessage(dir, FileNameOf(program)));
    return;
  }
  if (!platform::StartInstaller(update::InstallerPath(dir))) {
    MessageBox::show(this, MessageBox::Information, update::InstallStartFailedMessage(dir));
    return;
  }
  // The installer runs already; should the script not start, the old program file merely stays.
  if (auto script = update::WriteSelfRemovalScript(platform::TempFolder(), program, platform::RunningProcessId()))
    (void)platform::StartSelfRemoval(*script);
  emit quitRequested();
}

// ---- the news page -------------------------------------------------------------------------------

void TFUpdate::BAktuellClick() {
  if (newsRunner_.running()) return;
  auto inputs = CheckInputsFrom(store_);
  if (!inputs) {
    MessageBox::showError(this, inputs.error());
    return;
  }
  news_ = std::make_unique<News>(update::NewsUrl(inputs->server));
  BAktuell->setEnabled(false);
  newsRunner_.start(*news_, {}, [this] { newsFinished(); });
}

void TFUpdate::newsFinished() {
  BAktuell->setEnabled(true);
  if (!news_->online) {
    MessageBox::show(this, MessageBox::Information, QString::fromUtf8(update::kNewsNoConnectionMessage));
    return;
  }
  const update::GetReply& reply = news_->reply;
  if (!reply.ok) {
    if (reply.stopped) return;
    web1->setPlainText(QStringLiteral("Die Seite \"%1\" konnte nicht geladen werden.\n\n%2")
                           .arg(Q(news_->url), MessageBox::displayText(Q(reply.error))));
    return;
  }
  const QByteArray bytes(reinterpret_cast<const char*>(reply.bytes.data()), static_cast<qsizetype>(reply.bytes.size()));
  QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  const QString html = decoder.decode(bytes);
  web1->setHtml(html);
}

// ---- running downloads ---------------------------------------------------------------------------

void TFUpdate::jobStarted(const QString& what) {
  BAbfrage->setEnabled(false);
  BDown->setEnabled(false);
  progressLabel->setText(what);
  progressBar->setRange(0, 0);
  progressBar->show();
  stopButton->show();
  setCursor(Qt::BusyCursor);
}

void TFUpdate::jobEnded() {
  running_ = nullptr;
  BAbfrage->setEnabled(true);
  BDown->setEnabled(true);
  progressLabel->clear();
  progressBar->hide();
  stopButton->hide();
  unsetCursor();
}

void TFUpdate::showProgress(std::int64_t received, std::int64_t total) {
  QString file;
  if (running_) {
    const update::Step step = running_->next();
    if (const auto* get = std::get_if<update::GetRequest>(&step)) file = FileOfUrl(get->url);
  }
  QString text = QStringLiteral("\"%1\" wird geladen: %2").arg(file, Q(FormatGroupedInteger(received)));
  if (total > 0) text += QStringLiteral(" von ") + Q(FormatGroupedInteger(total));
  progressLabel->setText(text + QStringLiteral(" Bytes"));
  if (total > 0) {
    progressBar->setRange(0, 1000);
    progressBar->setValue(static_cast<int>(std::min<std::int64_t>(1000, received * 1000 / total)));
  } else {
    progressBar->setRange(0, 0);
  }
}

void TFUpdate::stopClick() {
  runner_.stop();
  newsRunner_.stop();
}

}  // namespace kw::ui
