#include "platform/network_transport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <thread>

#include "core/german_format.h"
#include "core/program.h"
#include "update/server_config.h"
#include "update/update_check.h"

namespace kw::platform {

namespace {

std::function<bool(const std::string&)>& OnlineHook() {
  static std::function<bool(const std::string&)> hook;
  return hook;
}

// "1 Sekunde", "1,5 Sekunden", "30 Sekunden".
std::string SecondsText(std::chrono::milliseconds ms) {
  const auto count = ms.count();
  if (count == 1000) return "1 Sekunde";
  if (count % 1000 == 0) return std::to_string(count / 1000) + " Sekunden";
  return FormatGrouped(static_cast<double>(count) / 1000.0, 1) + " Sekunden";
}

std::string ErrorText(QNetworkReply* reply) {
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError: return "Der Server hat die Verbindung abgelehnt.";
    case QNetworkReply::RemoteHostClosedError: return "Der Server hat die Verbindung vorzeitig beendet.";
    case QNetworkReply::HostNotFoundError:
      return "Der Server \"" + reply->url().host().toStdString() + "\" wurde nicht gefunden.";
    case QNetworkReply::TimeoutError: return "Der Server antwortet nicht.";
    case QNetworkReply::SslHandshakeFailedError: return "Die verschlüsselte Verbindung zum Server ist gescheitert.";
    case QNetworkReply::InsecureRedirectError: return "Der Server leitet auf eine unverschlüsselte Adresse um.";
    case QNetworkReply::TooManyRedirectsError: return "Der Server leitet zu oft auf andere Adressen um.";
    case QNetworkReply::ContentNotFoundError: return "Die Datei gibt es auf dem Server nicht (Fehler 404).";
    case QNetworkReply::ContentAccessDenied: return "Der Server verweigert den Zugriff auf die Datei (Fehler 403).";
    default: break;
  }
  if (status >= 400) return "Der Server meldet den Fehler " + std::to_string(status) + ".";
  return "Die Verbindung zum Server ist gescheitert (Fehler " + std::to_string(static_cast<int>(reply->error())) +
         ").";
}

// One GET in flight. `done` is called once, from the event loop.
struct GetOperation {
  QPointer<QNetworkReply> reply;
  QByteArray data;
  bool finished = false;
  bool stopped = false;
  bool timedOut = false;
  bool tooLarge = false;
  std::string unsafeRedirect;

  void stop() {
    if (finished || !reply) return;
    stopped = true;
    reply->abort();
  }
};

std::shared_ptr<GetOperation> StartGet(QNetworkAccessManager& nam, const update::GetRequest& request,
                                       std::chrono::milliseconds stallTimeout, const update::ProgressFn& progress,
                                       std::function<void(update::GetReply)> done) {
  auto op = std::make_shared<GetOperation>();
  const QUrl url(QString::fromStdString(request.url), QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() || (scheme != QStringLiteral("http") && scheme != QStringLiteral("https")) ||
      (request.secureOnly && !update::IsSafeInstallerUrl(request.url))) {
    QTimer::singleShot(0, &nam, [op, done, address = request.url] {
      op->finished = true;
      update::GetReply reply;
      reply.error = "Die Adresse \"" + address + "\" kann nicht geladen werden.";
      done(std::move(reply));
    });
    return op;
  }

  QNetworkRequest r(url);
  r.setHeader(QNetworkRequest::UserAgentHeader, QString::fromUtf8(std::string(kProgramTitle) + "/" + kProgramVersion));
  r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  r.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                 request.secureOnly ? QNetworkRequest::UserVerifiedRedirectPolicy
                                    : QNetworkRequest::NoLessSafeRedirectPolicy);
  r.setMaximumRedirectsAllowed(5);
  QNetworkReply* reply = nam.get(r);
  op->reply = reply;

  auto* stall = new QTimer(reply);
  stall->setSingleShot(true);
  stall->setInterval(static_cast<int>(stallTimeout.count()));
  QObject::connect(stall, &QTimer::timeout, reply, [op, reply] {
    op->timedOut = true;
    reply->abort();
  });
  stall->start();

  const std::size_t maxBytes = request.maxBytes;
  // Progress is told from every arrival: Qt's own progress signal skips arrivals close together,
  // so a server that falls silent after its first bytes would show none.
  QObject::connect(reply, &QNetworkReply::readyRead, reply, [op, reply, stall, maxBytes, progress] {
    stall->start();
    op->data += reply->readAll();
    if (maxBytes > 0 && static_cast<std::size_t>(op->data.size()) > maxBytes) {
      op->tooLarge = true;
      reply->abort();
      return;
    }
    if (progress) {
      bool known = false;
      const qint64 total = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
      progress(op->data.size(), known ? total : -1);
    }
  });
  QObject::connect(reply, &QNetworkReply::metaDataChanged, stall, qOverload<>(&QTimer::start));
  if (request.secureOnly)
    QObject::connect(reply, &QNetworkReply::redirected, reply, [op, reply](const QUrl& target) {
      const std::string address = target.toString().toStdString();
      if (update::IsSafeInstallerUrl(address)) {
        emit reply->redirectAllowed();
      } else {
        op->unsafeRedirect = address;
        reply->abort();
      }
    });
  QObject::connect(reply, &QNetworkReply::finished, reply, [op, reply, done, stallTimeout, maxBytes] {
    op->finished = true;
    update::GetReply out;
    if (reply->isOpen()) op->data += reply->readAll();
    if (op->stopped) {
      out.stopped = true;
      out.error = update::kStoppedMessage;
    } else if (op->timedOut) {
      out.timedOut = true;
      out.error = "Der Server hat " + SecondsText(stallTimeout) +
                  " lang keine Daten geschickt. Ich habe den Download abgebrochen.";
    } else if (op->tooLarge) {
      out.error = "Die Datei auf dem Server ist größer als " + FormatGroupedInteger(static_cast<std::int64_t>(maxBytes)) +
                  " Bytes und damit keine Datei dieses Programms. Ich habe den Download abgebrochen.";
    } else if (!op->unsafeRedirect.empty()) {
      out.error = "Der Server leitet auf die Adresse \"" + op->unsafeRedirect +
                  "\" um. Die Installations-Datei wird nur über eine verschlüsselte Verbindung (https) geladen.";
    } else if (reply->error() != QNetworkReply::NoError) {
      out.error = ErrorText(reply);
    } else {
      const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
      if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        out.error = "Der Server meldet den Fehler " + std::to_string(status.toInt()) + ".";
      } else {
        out.ok = true;
        out.bytes.assign(op->data.begin(), op->data.end());
      }
    }
    op->data.clear();
    reply->deleteLater();
    done(std::move(out));
  });
  return op;
}

class BlockingTransport : public update::Transport {
 public:
  explicit BlockingTransport(const TransportOptions& options) : options_(options), app_(EnsureQtApplication()) {
    nam_ = std::make_unique<QNetworkAccessManager>();
  }
  ~BlockingTransport() override { nam_.reset(); }

  bool isOnline(const std::string& url) override { return IsOnline(url); }

  update::GetReply get(const update::GetRequest& request, const update::ProgressFn& progress,
                       const std::atomic<bool>* stop) override {
    update::GetReply out;
    bool finished = false;
    QEventLoop loop;
    auto op = StartGet(*nam_, request, options_.stallTimeout, progress, [&](update::GetReply reply) {
      out = std::move(reply);
      finished = true;
      loop.quit();
    });
    QTimer poll;
    if (stop) {
      QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (stop->load()) op->stop();
      });
      poll.start(50);
    }
    while (!finished) loop.exec();
    return out;
  }

  std::optional<std::int64_t> ftpSize(const update::FtpSizeQuery& query) override {
    return QueryFtpSize(query, options_);
  }

 private:
  TransportOptions options_;
  std::shared_ptr<void> app_;
  std::unique_ptr<QNetworkAccessManager> nam_;
};

}  // namespace

std::shared_ptr<void> EnsureQtApplication() {
  if (QCoreApplication::instance()) return {};
  static int argc = 1;
  static char name[] = "kugelwerk";
  static char* argv[] = {name, nullptr};
  return std::make_shared<QCoreApplication>(argc, argv);
}

void SetOnlineHook(std::function<bool(const std::string& url)> hook) { OnlineHook() = std::move(hook); }

bool IsOnline(const std::string& url) {
  if (OnlineHook()) return OnlineHook()(url);
  // A server on this machine needs no connection to the outside.
  if (update::IsLoopbackUrl(url)) return true;
  if (!QNetworkInformation::instance())
    QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
  const QNetworkInformation* info = QNetworkInformation::instance();
  // Many systems have no backend: then the request itself has to show whether it gets through.
  return !info || info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

std::unique_ptr<update::Transport> MakeBlockingTransport(const TransportOptions& options) {
  return std::make_unique<BlockingTransport>(options);
}

struct AsyncJobRunner::Impl : std::enable_shared_from_this<Impl> {
  TransportOptions options;
  std::unique_ptr<QObject> context = std::make_unique<QObject>();
  std::unique_ptr<QNetworkAccessManager> nam;
  update::Job* job = nullptr;
  update::ProgressFn progress;
  std::function<void()> onDone;
  std::shared_ptr<GetOperation> current;
  bool stopRequested = false;

  ~Impl() {
    if (current && current->reply) {
      current->finished = true;
      current->reply->abort();
    }
  }

  // The next step starts from the event loop, never inside the previous answer.
  void scheduleStep() {
    std::weak_ptr<Impl> weak = weak_from_this();
    QTimer::singleShot(0, context.get(), [weak] {
      if (auto self = weak.lock()) self->step();
    });
  }

  void step() {
    if (!job) return;
    const update::Step s = job->next();
    std::weak_ptr<Impl> weak = weak_from_this();
    if (const auto* test = std::get_if<update::ConnectionTest>(&s)) {
      job->answerConnection(IsOnline(test->url));
      scheduleStep();
    } else if (const auto* get = std::get_if<update::GetRequest>(&s)) {
      if (stopRequested) {
        update::GetReply reply;
        reply.stopped = true;
        reply.error = update::kStoppedMessage;
        job->answerGet(std::move(reply));
        scheduleStep();
        return;
      }
      current = StartGet(*nam, *get, options.stallTimeout, progress, [weak](update::GetReply reply) {
        auto self = weak.lock();
        if (!self || !self->job) return;
        self->current.reset();
        self->job->answerGet(std::move(reply));
        self->scheduleStep();
      });
    } else if (const auto* ftp = std::get_if<update::FtpSizeQuery>(&s)) {
      // libcurl blocks: the query runs on its own thread and its answer comes back as an event.
      std::thread([weak, query = *ftp, opts = options] {
        const auto size = QueryFtpSize(query, opts);
        if (QCoreApplication* app = QCoreApplication::instance())
          QMetaObject::invokeMethod(
              app,
              [weak, size] {
                auto self = weak.lock();
                if (!self || !self->job) return;
                self->job->answerFtpSize(size);
                self->scheduleStep();
              },
              Qt::QueuedConnection);
      }).detach();
    } else {
      job = nullptr;
      auto done = std::move(onDone);
      onDone = nullptr;
      progress = nullptr;
      if (done) done();
    }
  }
};

AsyncJobRunner::AsyncJobRunner(const TransportOptions& options) : impl_(std::make_shared<Impl>()) {
  impl_->options = options;
}

AsyncJobRunner::~AsyncJobRunner() = default;

bool AsyncJobRunner::start(update::Job& job, update::ProgressFn progress, std::function<void()> onDone) {
  if (impl_->job) return false;
  if (!impl_->nam) impl_->nam = std::make_unique<QNetworkAccessManager>();
  impl_->job = &job;
  impl_->progress = std::move(progress);
  impl_->onDone = std::move(onDone);
  impl_->stopRequested = false;
  impl_->scheduleStep();
  return true;
}

void AsyncJobRunner::stop() {
  if (!impl_->job) return;
  impl_->stopRequested = true;
  if (impl_->current) impl_->current->stop();
}

bool AsyncJobRunner::running() const { return impl_->job != nullptr; }

bool ProcessEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() >= limit.count()) return false;
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

}  // namespace kw::platform
