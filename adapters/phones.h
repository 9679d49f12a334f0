// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "adapters/qr_code.h"
#include "pads/pad_rule.h"
#include "pads/seats.h"

// The phones' server lives in a module of its own (zandoodle-phones.so), with Qt's
// network and WebSockets and libqrencode, loaded only when the phones are turned on: a
// game that never uses them never loads those libraries, and starts as fast as before.
// This is all the game and the module know of each other.
namespace zndl {

// What the phones' server asks of the pads' hub (PadHub, shell/ui/pad_hub.*).
class PhonesHub {
 public:
  // Where phones join, while the server listens: the address and its QR code, how many
  // addresses the PC has, and how to show the next one.
  struct Join {
    std::string url;
    QrCode code;
    int addresses = 0;
    std::function<void()> nextAddress;
  };

  virtual std::uint64_t newConnection() = 0;
  virtual Seats::Joined join(PadKind kind, std::uint64_t connection, const std::string& offered,
                             const std::string& newToken) = 0;
  virtual void lost(std::uint64_t connection) = 0;
  virtual bool press(std::uint64_t connection, PadAction action) = 0;
  virtual bool enter(std::uint64_t connection, EntryField field, const std::string& value) = 0;
  virtual const Seats& seats() const = 0;
  virtual PadView view(Contestant seat) const = 0;
  virtual void setJoin(Join join) = 0;
  virtual void onChanged(std::function<void()> listener) = 0;
  virtual void onFreed(std::function<void(std::uint64_t)> listener) = 0;

 protected:
  ~PhonesHub() = default;
};

// The phones' server as the game drives it.
class Phones {
 public:
  static constexpr std::uint16_t kDefaultPort = 47470;
  static constexpr int kPortsTried = 10;  // the port asked for and the nine after it

  virtual ~Phones() = default;
  // Listens on `port` or the first free one of the nine after it; false when none is.
  virtual bool start(std::uint16_t port) = 0;
  virtual void stop() = 0;
  virtual bool listening() const = 0;
  // The address phones join at, as the QR code and the join line show it.
  virtual std::string joinUrl() const = 0;
};

// The module's one entry point: a new server over the hub, owned by the caller. Its
// name ends in ZNDL_PHONES_ABI, a hash of the headers the game and the module share.
using MakePhones = Phones*(PhonesHub* hub);
#define ZNDL_PHONES_JOIN(a, b) a##b
#define ZNDL_PHONES_ENTRY_OF(abi) ZNDL_PHONES_JOIN(zndl_make_phones_, abi)
#define ZNDL_PHONES_ENTRY ZNDL_PHONES_ENTRY_OF(ZNDL_PHONES_ABI)
#define ZNDL_PHONES_QUOTE(x) #x
#define ZNDL_PHONES_NAME_OF(abi) "zndl_make_phones_" ZNDL_PHONES_QUOTE(abi)
inline constexpr const char* kMakePhones = ZNDL_PHONES_NAME_OF(ZNDL_PHONES_ABI);

// Loads the module, from beside the game's program or where it is installed, and makes
// the server; null when it cannot, with `why` saying why.
std::unique_ptr<Phones> loadPhones(PhonesHub& hub, std::string* why);

}  // namespace zndl
