// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/phone_server.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketCorsAuthenticator>
#include <algorithm>

#include "pads/http_request.h"
#include "pads/pad_protocol.h"
#include "pads/rate_limit.h"
#include "platform/file_io.h"

namespace zndl {
namespace {

namespace ln = local_network;
namespace protocol = pad_protocol;

constexpr int kRunTokenBits = 100;  // twenty letters in the address
constexpr int kSeatTokenBits = 128;

std::vector<ln::Interface> systemInterfaces() {
  std::vector<ln::Interface> out;
  for (const QNetworkInterface& qi : QNetworkInterface::allInterfaces()) {
    ln::Interface i;
    i.name = qi.name().toStdString();
    const auto flags = qi.flags();
    i.up = flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning);
    i.loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
    i.pointToPoint = flags.testFlag(QNetworkInterface::IsPointToPoint);
    i.isVirtual = qi.type() == QNetworkInterface::Virtual;
    for (const QNetworkAddressEntry& entry : qi.addressEntries()) {
      if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol) continue;
      i.addresses.push_back({entry.ip().toIPv4Address(), entry.prefixLength()});
    }
    out.push_back(std::move(i));
  }
  return out;
}

std::string defaultRoute() {
  const auto table = fileio::readAll("/proc/net/route");
  return table ? ln::defaultRouteInterface(*table) : std::string();
}

QByteArray notFound() {
  return "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}

}  // namespace

std::string newSecret(int bits, bool base32) {
  static const char kBase32[] = "abcdefghijklmnopqrstuvwxyz234567";
  static const char kHex[] = "0123456789abcdef";
  const int perLetter = base32 ? 5 : 4;
  std::string out;
  for (int done = 0; done < bits; done += perLetter) {
    const quint32 value = QRandomGenerator::system()->bounded(1u << perLetter);
    out += base32 ? kBase32[value] : kHex[value];
  }
  return out;
}

PhoneServer::PhoneServer(PhonesHub& hub, QObject* parent)
    : QObject(parent),
      hub_(hub),
      sockets_(QStringLiteral("Zandoodle"), QWebSocketServer::NonSecureMode) {
  tcp_.setMaxPendingConnections(kMaxConnections);
  sockets_.setHandshakeTimeout(kRequestTimeoutMs);
  connect(&tcp_, &QTcpServer::newConnection, this, [this] { accept(); });
  connect(&sockets_, &QWebSocketServer::newConnection, this, [this] { acceptSocket(); });
  // The page's origin was checked with the request; anything else is refused here too.
  connect(&sockets_, &QWebSocketServer::originAuthenticationRequired, this,
          [this](QWebSocketCorsAuthenticator* check) {
            const std::string origin = check->origin().toStdString();
            const auto hosts = servedHosts();
            check->setAllowed(std::any_of(hosts.begin(), hosts.end(), [&](const std::string& h) {
              return origin == "http://" + h;
            }));
          });
  clock_.start();
  networkRefresh_.setInterval(30000);
  connect(&networkRefresh_, &QTimer::timeout, this, [this] { learnNetwork(); });
  // The hub may outlive the server: what it calls back reaches the server only while it
  // lives.
  hub_.onChanged([alive = std::weak_ptr<PhoneServer*>(alive_)] {
    if (auto self = alive.lock()) (*self)->sendViews();
  });
  hub_.onFreed([alive = std::weak_ptr<PhoneServer*>(alive_)](std::uint64_t connection) {
    if (auto self = alive.lock()) (*self)->freed(connection);
  });
}

PhoneServer::~PhoneServer() {
  alive_.reset();
  stop();
}

bool PhoneServer::start(std::uint16_t port) {
  if (listening()) return true;
  token_ = newSecret(kRunTokenBits, true);
  for (int i = 0; i < kPortsTried && port + i <= 65535; ++i)
    if (tcp_.listen(QHostAddress::AnyIPv4, static_cast<quint16>(port + i))) break;
  if (!listening()) return false;
  learnNetwork();
  networkRefresh_.start();
  publishJoin();
  return true;
}

void PhoneServer::publishJoin() {
  if (!listening()) return hub_.setJoin({});
  const std::string url = joinUrl();
  hub_.setJoin({url, qrCodeFor(url), addressCount(), [this] { showNextAddress(); }});
}

void PhoneServer::stop() {
  networkRefresh_.stop();
  tcp_.close();
  for (auto& [socket, timer] : pending_) socket->deleteLater();
  pending_.clear();
  std::vector<QWebSocket*> open;
  for (auto& [socket, phone] : phones_) open.push_back(socket);
  for (QWebSocket* socket : open) dropPhone(socket, false);
  addresses_.clear();
  publishJoin();
}

void PhoneServer::learnNetwork() {
  interfaces_ = systemInterfaces();
  const std::string shown = addresses_.empty() ? std::string() : addresses_[shown_];
  addresses_ = ln::joinAddresses(interfaces_, defaultRoute());
  // With no network at all the game is still reachable from the PC itself.
  if (addresses_.empty()) addresses_.push_back("127.0.0.1");
  const auto same = std::find(addresses_.begin(), addresses_.end(), shown);
  shown_ = same == addresses_.end() ? 0 : static_cast<std::size_t>(same - addresses_.begin());
  if (listening()) publishJoin();
}

std::string PhoneServer::joinUrl() const {
  if (!listening() || addresses_.empty()) return {};
  return "http://" + addresses_[shown_] + ":" + std::to_string(port()) + "/j/" + token_;
}

void PhoneServer::showNextAddress() {
  if (!addresses_.empty()) shown_ = (shown_ + 1) % addresses_.size();
  publishJoin();
}

std::vector<std::string> PhoneServer::servedHosts() const {
  std::vector<std::string> hosts;
  const std::string port = ":" + std::to_string(tcp_.serverPort());
  for (const std::string& address : addresses_) hosts.push_back(address + port);
  hosts.push_back("127.0.0.1" + port);
  return hosts;
}

void PhoneServer::accept() {
  while (QTcpSocket* socket = tcp_.nextPendingConnection()) {
    const QHostAddress peer = socket->peerAddress();
    bool ipv4 = false;
    const quint32 ip = peer.toIPv4Address(&ipv4);
    if (!ipv4 || !ln::onLocalNetwork(ip, interfaces_) || openConnections() >= kMaxConnections) {
      ++dropped_;
      socket->abort();
      socket->deleteLater();
      continue;
    }
    // A tap and a result are small messages that must not wait for the last one's
    // acknowledgement.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    connect(timer.get(), &QTimer::timeout, this, [this, socket] { drop(socket); });
    timer->start(kRequestTimeoutMs);
    pending_[socket] = std::move(timer);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      if (pending_.erase(socket)) socket->deleteLater();
    });
  }
}

void PhoneServer::drop(QTcpSocket* socket) {
  if (!pending_.erase(socket)) return;
  ++dropped_;
  socket->disconnect(this);
  socket->abort();
  socket->deleteLater();
}

void PhoneServer::answer(QTcpSocket* socket, const QByteArray& response) {
  pending_.erase(socket);
  socket->disconnect(this);
  socket->write(response);
  connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
    if (socket->bytesToWrite() == 0) socket->disconnectFromHost();
  });
  connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void PhoneServer::readRequest(QTcpSocket* socket) {
  // Peeked, not read: a socket's request is read again by the WebSocket server.
  const QByteArray bytes = socket->peek(static_cast<qint64>(http::kMaxHead) + 1);
  http::Request request;
  const http::Head head = http::readHead(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), request);
  if (head == http::Head::incomplete) return;
  if (head == http::Head::bad) return drop(socket);
  const auto hosts = servedHosts();
  const auto host = request.header("host");
  if (!host || std::find(hosts.begin(), hosts.end(), *host) == hosts.end())
    return answer(socket, notFound());
  switch (http::route(request, token_, hosts)) {
    case http::Asked::page:
      return answer(socket, file("pad.html", "text/html"));
    case http::Asked::style:
      return answer(socket, file("pad.css", "text/css"));
    case http::Asked::script:
      return answer(socket, file("pad.js", "text/javascript"));
    case http::Asked::socket:
      pending_.erase(socket);
      socket->disconnect(this);
      sockets_.handleConnection(socket);
      return;
    case http::Asked::nothing:
      break;
  }
  answer(socket, notFound());
}

QByteArray PhoneServer::file(const char* name, const char* type) const {
  QFile resource(QStringLiteral(":/assets/pad/") + QString::fromLatin1(name));
  if (!resource.open(QIODevice::ReadOnly)) return notFound();
  QByteArray body = resource.readAll();
  if (std::string_view(name) == "pad.html")
    body.replace("{{TOKEN}}", QByteArray::fromStdString(token_));
  QByteArray sockets;
  for (const std::string& host : servedHosts())
    sockets += " ws://" + QByteArray::fromStdString(host);
  QByteArray response = "HTTP/1.1 200 OK\r\nContent-Type: ";
  response += type;
  response += "; charset=utf-8\r\nContent-Length: " + QByteArray::number(body.size()) +
              "\r\nContent-Security-Policy: default-src 'none'; script-src 'self'; "
              "style-src 'self'; img-src 'self' data:; connect-src 'self'" +
              sockets +
              "; base-uri 'none'; form-action 'none'; frame-ancestors 'none'\r\n"
              "X-Content-Type-Options: nosniff\r\nCache-Control: no-store\r\n"
              "Referrer-Policy: no-referrer\r\nX-Frame-Options: DENY\r\n"
              "Connection: close\r\n\r\n";
  return response + body;
}

void PhoneServer::acceptSocket() {
  while (QWebSocket* socket = sockets_.nextPendingConnection()) {
    socket->setParent(this);
    socket->setMaxAllowedIncomingFrameSize(protocol::kMaxMessage);
    socket->setMaxAllowedIncomingMessageSize(protocol::kMaxMessage);
    Phone phone{socket,
                hub_.newConnection(),
                std::make_unique<RateLimit>(kMessagesPerSecond, kMessageBurst),
                std::make_unique<QTimer>(),
                {}};
    phone.idle->setSingleShot(true);
    connect(phone.idle.get(), &QTimer::timeout, this, [this, socket] { dropPhone(socket, true); });
    phone.idle->start(kIdleTimeoutMs);
    // Read from the event loop, not inside the socket's own signal: a press may open the
    // error box, whose event loop may drop this phone, and delete its socket, meanwhile.
    const std::uint64_t connection = phone.connection;
    connect(
        socket, &QWebSocket::textMessageReceived, this,
        [this, connection](const QString& text) {
          if (Phone* found = phoneOf(connection)) receive(*found, text);
        },
        Qt::QueuedConnection);
    connect(socket, &QWebSocket::binaryMessageReceived, this, [this] { ++ignored_; });
    connect(socket, &QWebSocket::disconnected, this, [this, socket] { dropPhone(socket, false); });
    phones_.emplace(socket, std::move(phone));
  }
}

void PhoneServer::receive(Phone& phone, const QString& text) {
  if (!phone.rate->take(clock_.elapsed())) return dropPhone(phone.socket, true);
  phone.idle->start(kIdleTimeoutMs);
  const QByteArray utf8 = text.toUtf8();
  const auto message =
      protocol::parse(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
  if (!message) {
    ++ignored_;
    return;
  }
  switch (message->kind) {
    case protocol::Message::Kind::ping:
      return;
    case protocol::Message::Kind::hello: {
      const Seats::Joined joined = hub_.join(PadKind::phone, phone.connection, message->value,
                                             newSecret(kSeatTokenBits, false));
      phone.lastSent.clear();
      phone.socket->sendTextMessage(QString::fromStdString(protocol::joinedJson(joined)));
      // The seat's other page gives it up for good: it is told so, and does not come back
      // to take it again.
      if (joined.replaced) {
        for (auto& [socket, other] : phones_)
          if (other.connection == *joined.replaced) {
            socket->close(QWebSocketProtocol::CloseCode(kSeatTakenElsewhere));
            break;
          }
      }
      sendViews();
      return;
    }
    case protocol::Message::Kind::press:
    case protocol::Message::Kind::enter: {
      // The press runs the game's handler, which may open the error box: the phone may be
      // gone when it returns.
      const std::uint64_t connection = phone.connection;
      const bool taken = message->kind == protocol::Message::Kind::press
                             ? hub_.press(connection, message->action)
                             : hub_.enter(connection, message->field, message->value);
      if (!taken) {
        ++ignored_;
        // The phone shows what the game holds again, not what it asked for.
        if (Phone* still = phoneOf(connection)) still->lastSent.clear();
        sendViews();
      }
      return;
    }
  }
}

PhoneServer::Phone* PhoneServer::phoneOf(std::uint64_t connection) {
  for (auto& [socket, phone] : phones_)
    if (phone.connection == connection) return &phone;
  return nullptr;
}

void PhoneServer::sendViews() {
  for (auto& [socket, phone] : phones_) {
    const auto seat = hub_.seats().seatOf(phone.connection);
    if (!seat) continue;
    std::string json = protocol::viewJson(hub_.view(*seat), *seat, hub_.seats());
    if (json == phone.lastSent) continue;
    socket->sendTextMessage(QString::fromStdString(json));
    phone.lastSent = std::move(json);
  }
}

void PhoneServer::freed(std::uint64_t connection) {
  for (auto& [socket, phone] : phones_) {
    if (phone.connection != connection) continue;
    socket->sendTextMessage(QString::fromStdString(protocol::freedJson()));
    phone.lastSent.clear();
  }
}

void PhoneServer::dropPhone(QWebSocket* socket, bool broke) {
  const auto found = phones_.find(socket);
  if (found == phones_.end()) return;
  const std::uint64_t connection = found->second.connection;
  phones_.erase(found);
  if (broke) ++dropped_;
  socket->disconnect(this);
  socket->abort();
  socket->deleteLater();
  hub_.lost(connection);
}

}  // namespace zndl

// The module's entry point (adapters/phones.h).
extern "C" __attribute__((visibility("default"))) zndl::Phones* ZNDL_PHONES_ENTRY(
    zndl::PhonesHub* hub) {
  return new zndl::PhoneServer(*hub);
}
