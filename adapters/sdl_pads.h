// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapters/sdl_library.h"
#include "pads/pad_buttons.h"
#include "shell/contestants.h"

namespace zndl {

class App;
class PadHub;

// The folder of a buzzer set's lights for the set's device file (/dev/input/eventN):
// the kernel's LEDs of the set's HID device, one "...::buzzN" for each handset. Empty
// when there is none.
std::string buzzerLightsFolder(const std::string& devicePath);

struct SdlPadsOptions {
  // Where a buzzer set's lights are, from its device file (empty for a virtual one).
  std::function<std::string(const std::string& devicePath)> lightsFolder = buzzerLightsFolder;
};

// Game controllers and quiz buzzers as the contestants' pads, through SDL's
// game-controller and joystick API (no video). Each controller is a pad, and so is each
// handset of a buzzer set; the first button pressed on a pad that holds no seat takes
// the first free one. A pad unplugged keeps its seat, and gets it back when it is plugged
// in again (known by its GUID; identical pads in the order of their seats). SDL is read on
// the UI thread by a timer, so every press reaches the game as a click does.
class SdlPads : public QObject {
 public:
  // How often SDL is read: often while a device is open, so a press is felt at once, and
  // seldom while none is, when there is only a device being plugged in to notice.
  static constexpr int kPollMs = 15;
  static constexpr int kIdlePollMs = 250;

  // Starts SDL's controller support for the game's pads; nothing, with `why` saying
  // why, when SDL cannot be loaded or started.
  static std::unique_ptr<SdlPads> start(App& app, SdlPadsOptions options = {},
                                        std::string* why = nullptr);
  ~SdlPads() override;

  // Reads what the devices did since the last time; the timer calls it.
  void poll();
  // The devices open now: game controllers and buzzer sets.
  std::size_t openDevices() const { return devices_.size(); }
  int pollInterval() const { return timer_.interval(); }
  // The SDL that was loaded, for the tests' virtual devices.
  const sdl::Api& api() const { return *api_; }

 private:
  struct Pad {
    std::uint64_t connection;
    std::string model;  // the device's GUID, with the handset's number for a buzzer
    ControllerFaces faces;
  };
  struct Device {
    SDL_JoystickID id = -1;
    SDL_GameController* controller = nullptr;
    SDL_Joystick* buzzerSet = nullptr;
    std::vector<Pad> pads;  // a controller's one, or a buzzer set's four handsets
    std::string lights;     // the buzzer set's LEDs, where they can be driven
    std::array<bool, kBuzzerHandsets> lit{};
  };

  SdlPads(App& app, std::shared_ptr<const sdl::Api> api, SdlPadsOptions options);
  void handle(const SDL_Event& event);
  void added(int deviceIndex);
  void removed(SDL_JoystickID id);
  Device* device(SDL_JoystickID id);
  Pad& newPad(Device& device, std::string model, ControllerFaces faces);
  // A button came down: the pad's first claims a seat, the others press what they mean.
  void pressed(
      Pad& pad,
      const std::function<std::optional<PadAction>(const std::vector<PadAction>&)>& meaning);
  void claim(Pad& pad);
  void rejoin(Pad& pad);
  // After every change of the game or the seats: forget seats lost to the PC, and light
  // the handset of the contestant who answers.
  void followGame();
  void light(Device& device, int handset, bool on);

  PadHub& hub_;
  std::shared_ptr<const sdl::Api> api_;
  SdlPadsOptions options_;
  QTimer timer_;
  std::vector<Device> devices_;
  // The token of each seat a pad of ours took, kept while the seat waits for it.
  Contestants<std::optional<std::string>> claims_;
  std::uint64_t claimsMade_ = 0;
  bool polling_ = false;
  // The hub outlives this object in the program but not in every test: what the hub
  // calls back reaches this object only while it lives.
  std::shared_ptr<SdlPads*> alive_;
};

// Starts the game controllers once the title has been painted, so none of SDL delays
// the title. When SDL cannot start, one line on stderr says so and the game plays on
// without them.
void startControllers(App& app);

}  // namespace zndl
