// The quota window on the real amounts (the row of the biggest jackpot chosen) and on a first
// start without history, the links editor, and the update window after a check against a
// server on this machine that offers three new draws, their quotas and another version.
#include <QApplication>
#include <QByteArray>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "core/dates.h"
#include "core/file_io.h"
#include "core/program.h"
#include "core/quota_entry.h"
#include "core/settings_ini.h"
#include "platform/network_transport.h"
#include "tools/screenshots/shots.h"
#include "ui/QLinks.h"
#include "ui/Quoten.h"
#include "ui/Update.h"
#include "ui/data_store.h"
#include "ui/navigation.h"
#include "ui/window_catalogue.h"
#include "update/data_folder.h"

namespace {

// Serves the files below a folder over plain HTTP on 127.0.0.1, in this thread's event loop.
class FolderServer : public QObject {
 public:
  explicit FolderServer(const QString& root) : root_(root) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(server_.serverPort()); }

 private:
  void answer(QTcpSocket* socket) {
    QByteArray& request = pending_[socket];
    request += socket->readAll();
    if (!request.contains("\r\n\r\n")) return;
    const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
    pending_.remove(socket);
    const QString path = words.size() > 1 ? QString::fromUtf8(words[1]) : QString();
    QFile file(root_ + path);
    QByteArray head;
    QByteArray body;
    if (!path.contains(QStringLiteral("..")) && file.open(QIODevice::ReadOnly)) {
      body = file.readAll();
      head = "HTTP/1.1 200 OK\r\n";
    } else {
      head = "HTTP/1.1 404 Not Found\r\n";
    }
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    socket->write(head + body);
    socket->disconnectFromHost();
  }

  QString root_;
  QTcpServer server_;
  QHash<QTcpSocket*, QByteArray> pending_;
};

int RowOf(const std::vector<kw::TQuoten>& quotas, const char* date) {
  const auto day = kw::ParseDateText(date);
  for (std::size_t i = 0; i < quotas.size(); ++i)
    if (day && quotas[i].datum == *day) return static_cast<int>(i);
  return -1;
}

bool QuotaWindows(const QString& outDir) {
  using namespace kw;
  ui::WindowCatalogue& windows = shots::Catalogue();
  ui::TFQuoten* quoten = windows.quotaWindow();
  const int row = RowOf(shots::Store().quotas(), "28.03.2025");
  if (row < 0) return false;
  quoten->Combo1->setCurrentIndex(row);
  quoten->show();
  QApplication::processEvents();
  quoten->GQ->selectRow(row);
  quoten->GQ->scrollTo(quoten->GQ->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
  bool ok = shots::Save(*quoten, outDir + QStringLiteral("/quoten.png"));

  // The amounts of the sample text taken into the fields.
  quoten->BTransfer->click();
  for (QLineEdit* field : quoten->eq)
    if (field) field->setText(QString::fromStdString(NormaliseAmountText(field->text().toStdString()).text));
  ok &= shots::Save(*quoten, outDir + QStringLiteral("/quoten-felder.png"));
  quoten->hide();

  ok &= shots::Save(*windows.showQuotaLinks(), outDir + QStringLiteral("/quoten-favoriten.png"));
  windows.quotaLinks()->hide();
  return ok;
}

}  // namespace

KW_SCREENSHOTS("quoten") { return QuotaWindows(outDir); }

KW_SCREENSHOTS("update") {
  using namespace kw;
  // The server: the real history and amounts as published, and another version.
  QTemporaryDir serverDir;
  const auto published = update::PublishServerTree(shots::Store().dataDir(), serverDir.path().toStdString() + "/",
                                                   "1.7.2.0", TodayDayNumber(), "");
  if (!published) {
    std::fprintf(stderr, "%s\n", published.error().message.c_str());
    return false;
  }
  FolderServer server(serverDir.path());

  // The player's folder lacks the last three draws and their amounts.
  QTemporaryDir playerDir;
  const std::string data = playerDir.path().toStdString() + "/";
  std::vector<TGewZahlen> draws = shots::Store().draws();
  std::vector<TQuoten> quotas = shots::Store().quotas();
  draws.resize(draws.size() - 3);
  quotas.resize(std::min(quotas.size(), draws.size()));
  if (!WriteFileAtomically(data + kDrawsFileName, EncodeRecords(draws)) ||
      !WriteFileAtomically(data + kQuotasFileName, EncodeRecords(quotas)))
    return false;
  const std::string unused = "ftp://127.0.0.1:9/";  // no FTP service: the history is fetched anyway
  if (!UpdateIniFile(data + kIniFileName, [&](IniFile& f) {
        f.write(ini::kUpdateServer, server.url().toStdString());
        f.write(ini::kUpdateFtpServer, unused);
      }))
    return false;
  ui::DataStore store(data);
  (void)store.loadDraws();
  (void)store.loadQuotas();
  SettingsRecord choices;
  choices.CBGewinnreihen = choices.CBGewinnQuoten = choices.CBUpdates = true;
  (void)store.saveSettings(choices);
  ui::CommandRegistry commands;
  ui::TFUpdate window({store, commands});
  const auto idle = [&window] { return !window.busy(); };
  if (!platform::ProcessEventsUntil(idle, std::chrono::seconds(30))) return false;
  window.BAktuell->click();
  if (!platform::ProcessEventsUntil(idle, std::chrono::seconds(30))) return false;
  return shots::Save(window, outDir + QStringLiteral("/update.png"));
}
