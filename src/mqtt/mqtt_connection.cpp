#include "mqtt_connection.h"

#include <mosquitto.h>

#include <QFile>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace {

// How long the network thread waits in the library before it looks whether it must stop.
constexpr int LoopSliceMs = 200;
// How long an ending connection waits for its thread, which may hang in name resolution.
constexpr auto ThreadEndWait = std::chrono::milliseconds(1500);
// Where Debian keeps the system's certificate authorities, one hashed file each.
constexpr const char* SystemCaPath = "/etc/ssl/certs";

void InitLibrary() {
  static const int once = mosquitto_lib_init();
  Q_UNUSED(once);
}

QByteArray Utf8(const QString& text) {
  return text.toUtf8();
}

int NextRetryS(int delayS) {
  return std::min(delayS * 2, MqttLastRetryS);
}

// How one attempt ended: accepted (and later lost), or why not.
struct Outcome {
  bool accepted = false;
  int rc = MOSQ_ERR_SUCCESS;  // the library's last result
  int connackRc = 0;          // the broker's refusal
  int error = 0;              // errno, where the library says MOSQ_ERR_ERRNO
};

MqttStatus FailureStatus(const Outcome& o) {
  if (o.connackRc == 4 || o.connackRc == 5) return MqttStatus::Refused;
  if (o.connackRc > 0) return MqttStatus::Unreachable;
  if (o.rc == MOSQ_ERR_EAI) return MqttStatus::UnknownHost;
  if (o.rc == MOSQ_ERR_TLS || o.rc == MOSQ_ERR_TLS_HANDSHAKE) return MqttStatus::TlsFailed;
  return MqttStatus::Unreachable;
}

// The library's words where they tell more than the status: which refusal, which system error.
QString FailureDetail(const Outcome& o) {
  if (o.connackRc == 4 || o.connackRc == 5) return QString();
  if (o.connackRc > 0) return QString::fromUtf8(mosquitto_connack_string(o.connackRc));
  if (o.rc == MOSQ_ERR_ERRNO && o.error != 0) return qt_error_string(o.error);
  return QString();
}

// What the network thread and the connection share. The thread holds it too, so that a
// thread still resolving a name when the connection ends can be left to finish alone.
struct Link {
  mosquitto* mosq = nullptr;
  QByteArray host;
  int port = 0;
  // Tells the connection's thread of a state: set by the connection, cleared when it ends.
  std::function<void(const MqttState&, bool connectedNow)> tell;

  std::mutex mutex;
  std::condition_variable changed;
  bool stop = false;
  bool finished = false;
  bool connected = false;  // CONNACK accepted, until the connection is lost
  int connackRc = 0;       // the refusal of the last attempt
  std::set<int> published;

  ~Link() {
    if (mosq) mosquitto_destroy(mosq);
  }

  void Tell(const MqttState& state, bool connectedNow = false) {
    std::lock_guard<std::mutex> lock(mutex);
    if (tell) tell(state, connectedNow);
  }
  bool Stopping() {
    std::lock_guard<std::mutex> lock(mutex);
    return stop;
  }
  // Waits up to `ms` or until stopped; true when stopped.
  bool Sleep(int ms) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop; });
  }
  template <typename Done>
  bool WaitUntil(Done done, int ms) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::milliseconds(ms), done);
  }
  MqttState StateOf(MqttStatus status, const QString& detail = QString()) const {
    return MqttState{status, QString::fromUtf8(host), port, detail};
  }

  // Connects, and after each failure or loss tries again later, until stopped.
  void Run();
  // One attempt and, when the broker accepts it, the whole connection.
  Outcome Attempt();
};

void OnConnect(mosquitto*, void* obj, int rc) {
  Link* link = static_cast<Link*>(obj);
  {
    std::lock_guard<std::mutex> lock(link->mutex);
    link->connackRc = rc;
    link->connected = rc == 0;
  }
  if (rc == 0) link->Tell(link->StateOf(MqttStatus::Connected), true);
}

void OnDisconnect(mosquitto*, void* obj, int) {
  Link* link = static_cast<Link*>(obj);
  std::lock_guard<std::mutex> lock(link->mutex);
  link->connected = false;
  link->changed.notify_all();
}

void OnPublish(mosquitto*, void* obj, int mid) {
  Link* link = static_cast<Link*>(obj);
  std::lock_guard<std::mutex> lock(link->mutex);
  link->published.insert(mid);
  link->changed.notify_all();
}

}  // namespace

Outcome Link::Attempt() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    connackRc = 0;
    connected = false;
  }
  Outcome o;
  o.rc = mosquitto_connect_async(mosq, host.constData(), port, MqttKeepAliveS);
  while (o.rc == MOSQ_ERR_SUCCESS && !Stopping()) {
    o.rc = mosquitto_loop(mosq, LoopSliceMs, 1);
    std::lock_guard<std::mutex> lock(mutex);
    o.accepted = o.accepted || connected;
  }
  o.error = errno;
  std::lock_guard<std::mutex> lock(mutex);
  o.connackRc = connackRc;
  return o;
}

void Link::Run() {
  int delayS = MqttFirstRetryS;
  while (!Stopping()) {
    const Outcome o = Attempt();
    if (Stopping()) break;
    if (o.accepted) {
      delayS = MqttFirstRetryS;
      Tell(StateOf(MqttStatus::Connecting));  // lost: the next attempts are quiet until one ends
    } else {
      Tell(StateOf(FailureStatus(o), FailureDetail(o)));
    }
    if (Sleep(delayS * 1000)) break;
    if (!o.accepted) delayS = NextRetryS(delayS);
  }
  std::lock_guard<std::mutex> lock(mutex);
  finished = true;
  changed.notify_all();
}

struct MqttConnection::Loop {
  std::shared_ptr<Link> link = std::make_shared<Link>();
  std::thread thread;

  void Start(MqttConnection* owner) {
    const std::weak_ptr<Link> self = link;
    // The state crosses to the connection's thread; a state of a connection since replaced
    // finds another link there and is dropped.
    link->tell = [owner, self](const MqttState& state, bool connectedNow) {
      QMetaObject::invokeMethod(
          owner,
          [owner, self, state, connectedNow] {
            const std::shared_ptr<Link> alive = self.lock();
            if (!alive || !owner->loop_ || owner->loop_->link != alive) return;
            owner->SetState(state);
            if (connectedNow) emit owner->connected();
          },
          Qt::QueuedConnection);
    };
    thread = std::thread([shared = link] { shared->Run(); });
  }

  std::optional<int> Send(const MqttMessage& message) {
    const QByteArray topic = Utf8(message.topic);
    int mid = 0;
    if (mosquitto_publish(link->mosq, &mid, topic.constData(), int(message.payload.size()),
                          message.payload.constData(), 1, message.retain) != MOSQ_ERR_SUCCESS)
      return std::nullopt;
    return mid;
  }

  ~Loop() {
    {
      std::lock_guard<std::mutex> lock(link->mutex);
      link->stop = true;
      link->tell = nullptr;
      link->changed.notify_all();
    }
    if (!thread.joinable()) return;
    if (link->WaitUntil([this] { return link->finished; }, int(ThreadEndWait.count())))
      thread.join();
    else
      thread.detach();  // it ends, and frees the link, when its name lookup returns
  }
};

namespace {

// The library's handle with everything set before connecting; what failed otherwise.
std::optional<MqttStatus> Prepare(Link& link, const MqttSettings& settings,
                                  const MqttMessage& will) {
  mosquitto* mosq = link.mosq;
  mosquitto_threaded_set(mosq, true);
  mosquitto_int_option(mosq, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
  mosquitto_connect_callback_set(mosq, OnConnect);
  mosquitto_disconnect_callback_set(mosq, OnDisconnect);
  mosquitto_publish_callback_set(mosq, OnPublish);
  const QByteArray willTopic = Utf8(will.topic);
  if (mosquitto_will_set(mosq, willTopic.constData(), int(will.payload.size()),
                         will.payload.constData(), 1, will.retain) != MOSQ_ERR_SUCCESS)
    return MqttStatus::Unreachable;
  if (!settings.user.isEmpty()) {
    const QByteArray user = Utf8(settings.user), password = Utf8(settings.password);
    mosquitto_username_pw_set(mosq, user.constData(),
                              settings.password.isEmpty() ? nullptr : password.constData());
  }
  if (settings.tls) {
    const QByteArray caFile = QFile::encodeName(settings.caFile);
    if (caFile.isEmpty()) mosquitto_int_option(mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
    if (mosquitto_tls_set(mosq, caFile.isEmpty() ? nullptr : caFile.constData(),
                          caFile.isEmpty() ? SystemCaPath : nullptr, nullptr, nullptr,
                          nullptr) != MOSQ_ERR_SUCCESS ||
        mosquitto_tls_opts_set(mosq, 1, nullptr, nullptr) != MOSQ_ERR_SUCCESS ||
        mosquitto_tls_insecure_set(mosq, false) != MOSQ_ERR_SUCCESS)
      return MqttStatus::TlsFailed;
  }
  return std::nullopt;
}

}  // namespace

MqttConnection::MqttConnection(QObject* parent) : QObject(parent) {}

MqttConnection::~MqttConnection() = default;

void MqttConnection::Open(const MqttSettings& settings, const QString& clientId,
                          const MqttMessage& will) {
  InitLibrary();
  loop_.reset();
  auto loop = std::make_unique<Loop>();
  Link& link = *loop->link;
  link.host = Utf8(settings.host);
  link.port = settings.port;
  link.mosq = mosquitto_new(Utf8(clientId).constData(), true, &link);
  const std::optional<MqttStatus> failed =
      link.mosq ? Prepare(link, settings, will) : MqttStatus::Unreachable;
  if (failed) {
    SetState(link.StateOf(*failed));
    return;
  }
  SetState(link.StateOf(MqttStatus::Connecting));
  loop->Start(this);
  loop_ = std::move(loop);
}

void MqttConnection::Publish(const MqttMessage& message) {
  if (!loop_ || state_.status != MqttStatus::Connected) return;
  loop_->Send(message);
}

void MqttConnection::Close(const MqttMessage& last, int waitMs) {
  if (loop_ && state_.status == MqttStatus::Connected) {
    Link& link = *loop_->link;
    const std::optional<int> mid = loop_->Send(last);
    if (mid) link.WaitUntil([&] { return link.published.count(*mid) || !link.connected; }, waitMs);
    if (mosquitto_disconnect(link.mosq) == MOSQ_ERR_SUCCESS)
      link.WaitUntil([&] { return !link.connected; }, waitMs);
  }
  loop_.reset();
  SetState(MqttState{});
}

void MqttConnection::SetState(const MqttState& state) {
  if (state.status == state_.status && state.detail == state_.detail && state.host == state_.host &&
      state.port == state_.port)
    return;
  state_ = state;
  emit stateChanged(state_);
}

bool MqttHasTls() {
  InitLibrary();
  mosquitto* probe = mosquitto_new(nullptr, true, nullptr);
  if (!probe) return false;
  const bool has = mosquitto_tls_opts_set(probe, 1, nullptr, nullptr) != MOSQ_ERR_NOT_SUPPORTED;
  mosquitto_destroy(probe);
  return has;
}
