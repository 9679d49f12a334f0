// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocketServer>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "adapters/phones.h"
#include "pads/local_network.h"

class QTcpSocket;
class QWebSocket;

namespace zndl {

// The phones' server: serves the pad page and its socket on one port, to the local
// network only, and carries what each seated phone is shown and presses between the
// phone and the pads' hub. Every byte from a peer is treated as hostile: nothing is
// served without the run's token, every request and message is bounded and read
// strictly, and a peer that breaks a bound is dropped while the game goes on.
class PhoneServer : public QObject, public Phones {
 public:
  static constexpr int kMaxConnections = 16;  // at once, pages and sockets together
  static constexpr int kRequestTimeoutMs = 5000;
  static constexpr int kIdleTimeoutMs = 60000;
  static constexpr double kMessagesPerSecond = 20;
  static constexpr double kMessageBurst = 40;
  // The close code that tells a page its seat went to another page of the same phone.
  static constexpr int kSeatTakenElsewhere = 4000;

  explicit PhoneServer(PhonesHub& hub, QObject* parent = nullptr);
  ~PhoneServer() override;

  bool start(std::uint16_t port) override;
  void stop() override;
  bool listening() const override { return tcp_.isListening(); }
  quint16 port() const { return tcp_.serverPort(); }

  std::string joinUrl() const override;
  // The next address, when the PC has several.
  int addressCount() const { return static_cast<int>(addresses_.size()); }
  void showNextAddress();

  // What hostile peers have tried, for the tests.
  int ignoredMessages() const { return ignored_; }
  int droppedPeers() const { return dropped_; }
  int openConnections() const { return static_cast<int>(pending_.size() + phones_.size()); }

 private:
  struct Phone {
    QWebSocket* socket;
    std::uint64_t connection;
    std::unique_ptr<class RateLimit> rate;
    std::unique_ptr<QTimer> idle;
    std::string lastSent;
  };

  void learnNetwork();
  // Tells the pads' hub, and so the title's join panel, where phones join now.
  void publishJoin();
  void accept();
  void readRequest(QTcpSocket* socket);
  void answer(QTcpSocket* socket, const QByteArray& response);
  void drop(QTcpSocket* socket);
  void acceptSocket();
  Phone* phoneOf(std::uint64_t connection);
  void receive(Phone& phone, const QString& text);
  void dropPhone(QWebSocket* socket, bool broke);
  void sendViews();
  void freed(std::uint64_t connection);
  QByteArray file(const char* name, const char* type) const;
  std::vector<std::string> servedHosts() const;

  PhonesHub& hub_;
  QTcpServer tcp_;
  QWebSocketServer sockets_;
  QTimer networkRefresh_;
  QElapsedTimer clock_;
  std::vector<local_network::Interface> interfaces_;
  std::vector<std::string> addresses_;  // where phones join, best first
  std::size_t shown_ = 0;
  std::string token_;                                       // the run's token, in every address
  std::map<QTcpSocket*, std::unique_ptr<QTimer>> pending_;  // before their request is read
  std::map<QWebSocket*, Phone> phones_;
  int ignored_ = 0;
  int dropped_ = 0;
  std::shared_ptr<PhoneServer*> alive_ = std::make_shared<PhoneServer*>(this);
};

// A new secret of `bits` random bits from the system's source, in lower-case base32
// (five bits a letter) for addresses that people may have to type, or in hex.
std::string newSecret(int bits, bool base32);

}  // namespace zndl
