// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/sdl_pads.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "shell/ui/app.h"

namespace zndl {
namespace {

constexpr Uint32 kSubsystems = SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK;

std::optional<ControllerButton> controllerButton(Uint8 button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return ControllerButton::answerA;
    case SDL_CONTROLLER_BUTTON_B:
      return ControllerButton::answerB;
    case SDL_CONTROLLER_BUTTON_X:
      return ControllerButton::answerC;
    case SDL_CONTROLLER_BUTTON_Y:
      return ControllerButton::go;
    case SDL_CONTROLLER_BUTTON_START:
      return ControllerButton::start;
    default:
      return std::nullopt;
  }
}

bool offers(const std::vector<PadAction>& actions, PadAction action) {
  return std::find(actions.begin(), actions.end(), action) != actions.end();
}

// The prefix of the tokens a pad of this model is given: a token is the model and the
// number of the claim, so two identical pads hold seats under different tokens.
std::string tokenPrefix(const std::string& model) {
  return model + "#";
}

}  // namespace

std::string buzzerLightsFolder(const std::string& devicePath) {
  namespace fs = std::filesystem;
  if (devicePath.empty()) return {};
  // /sys/class/input/eventN/device is the input device; its parent the HID device,
  // which holds the set's LEDs.
  const fs::path leds =
      fs::path("/sys/class/input") / fs::path(devicePath).filename() / "device" / "device" / "leds";
  std::error_code error;
  return fs::is_directory(leds, error) ? leds.string() : std::string();
}

std::unique_ptr<SdlPads> SdlPads::start(App& app, SdlPadsOptions options, std::string* why) {
  auto api = sdl::load(sdl::kLibrary, why);
  if (!api) return nullptr;
  // The game is no SDL program: SDL must leave the signals to the toolkit, and read the
  // pads whichever window has the keyboard (it has no window of its own to focus).
  api->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  api->SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (api->SDL_InitSubSystem(kSubsystems) != 0) {
    if (why != nullptr) *why = api->SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<SdlPads>(new SdlPads(app, std::move(api), std::move(options)));
}

SdlPads::SdlPads(App& app, std::shared_ptr<const sdl::Api> api, SdlPadsOptions options)
    : hub_(app.pads()),
      api_(std::move(api)),
      options_(std::move(options)),
      alive_(std::make_shared<SdlPads*>(this)) {
  hub_.onChanged([alive = std::weak_ptr<SdlPads*>(alive_)] {
    if (auto self = alive.lock()) (*self)->followGame();
  });
  timer_.setInterval(kIdlePollMs);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
  timer_.start();
}

SdlPads::~SdlPads() {
  alive_.reset();
  for (Device& device : devices_) {
    for (int handset = 0; handset < kBuzzerHandsets; ++handset) light(device, handset, false);
    if (device.controller != nullptr) api_->SDL_GameControllerClose(device.controller);
    if (device.buzzerSet != nullptr) api_->SDL_JoystickClose(device.buzzerSet);
  }
  api_->SDL_QuitSubSystem(kSubsystems);
  // SDL's hints and its last bits go once nothing of it is in use.
  if (api_->SDL_WasInit(SDL_INIT_EVERYTHING) == 0) api_->SDL_Quit();
}

void SdlPads::poll() {
  // A press can open the error box, whose own event loop runs this timer too: the
  // devices must not change under the press being handled.
  if (polling_) return;
  polling_ = true;
  api_->SDL_PumpEvents();
  SDL_Event events[32];
  for (;;) {
    const int count = api_->SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (count <= 0) break;
    for (int i = 0; i < count; ++i) handle(events[i]);
  }
  polling_ = false;
  const int interval = devices_.empty() ? kIdlePollMs : kPollMs;
  if (timer_.interval() != interval) timer_.setInterval(interval);
}

void SdlPads::handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      // A joystick SDL has a game-controller mapping for also comes as a controller; one
      // that gets a mapping later comes again then.
    case SDL_CONTROLLERDEVICEADDED:
      added(event.type == SDL_JOYDEVICEADDED ? event.jdevice.which : event.cdevice.which);
      break;
    case SDL_JOYDEVICEREMOVED:
      removed(event.jdevice.which);
      break;
    case SDL_CONTROLLERBUTTONDOWN: {
      Device* from = device(event.cbutton.which);
      if (from == nullptr || from->controller == nullptr) break;
      // Any button claims a seat; only the game's buttons do anything else.
      pressed(from->pads.front(), [button = controllerButton(event.cbutton.button)](
                                      const std::vector<PadAction>& offered) {
        return button ? controllerAction(*button, offered) : std::nullopt;
      });
      break;
    }
    case SDL_JOYBUTTONDOWN: {
      Device* from = device(event.jbutton.which);
      const auto handset = handsetButton(event.jbutton.button);
      if (from == nullptr || from->buzzerSet == nullptr || !handset) break;
      pressed(from->pads[handset->handset],
              [button = handset->button](const std::vector<PadAction>& offered) {
                return buzzerAction(button, offered);
              });
      break;
    }
    default:
      break;
  }
}

SdlPads::Device* SdlPads::device(SDL_JoystickID id) {
  for (Device& device : devices_)
    if (device.id == id) return &device;
  return nullptr;
}

void SdlPads::added(int deviceIndex) {
  const SDL_JoystickID id = api_->SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || device(id) != nullptr) return;
  char guid[33] = {};
  api_->SDL_JoystickGetGUIDString(api_->SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof guid);

  // A buzzer set first: SDL might know a mapping for it, but its handsets are the pads.
  SDL_Joystick* joystick = api_->SDL_JoystickOpen(deviceIndex);
  if (joystick == nullptr) return;
  Device found;
  found.id = id;
  if (isBuzzerSet(api_->SDL_JoystickGetVendor(joystick), api_->SDL_JoystickGetProduct(joystick),
                  api_->SDL_JoystickNumButtons(joystick))) {
    found.buzzerSet = joystick;
    const char* path = api_->SDL_JoystickPath(joystick);
    found.lights = options_.lightsFolder ? options_.lightsFolder(path ? path : "") : "";
  } else {
    api_->SDL_JoystickClose(joystick);
    // Any other joystick is a pad only when SDL knows which of its buttons are which.
    if (!api_->SDL_IsGameController(deviceIndex)) return;
    found.controller = api_->SDL_GameControllerOpen(deviceIndex);
    if (found.controller == nullptr) return;
  }
  Device& device = devices_.emplace_back(std::move(found));
  if (device.buzzerSet != nullptr) {
    for (int handset = 1; handset <= kBuzzerHandsets; ++handset)
      newPad(device, std::string(guid) + "/" + std::to_string(handset), ControllerFaces::buzzer);
  } else {
    newPad(device, guid, ControllerFaces::buttons);
  }
  // Every pad of the device that held a seat before it was unplugged gets it back.
  for (Pad& pad : device.pads) rejoin(pad);
  followGame();
}

SdlPads::Pad& SdlPads::newPad(Device& device, std::string model, ControllerFaces faces) {
  return device.pads.emplace_back(Pad{hub_.newConnection(), std::move(model), faces});
}

void SdlPads::removed(SDL_JoystickID id) {
  const auto gone =
      std::find_if(devices_.begin(), devices_.end(), [id](const Device& d) { return d.id == id; });
  if (gone == devices_.end()) return;
  Device device = std::move(*gone);
  devices_.erase(gone);
  if (device.controller != nullptr) api_->SDL_GameControllerClose(device.controller);
  if (device.buzzerSet != nullptr) api_->SDL_JoystickClose(device.buzzerSet);
  // Its seats wait for it: a controller's until the PC frees them.
  for (const Pad& pad : device.pads) hub_.lost(pad.connection);
}

void SdlPads::pressed(
    Pad& pad,
    const std::function<std::optional<PadAction>(const std::vector<PadAction>&)>& meaning) {
  const auto seat = hub_.seats().seatOf(pad.connection);
  if (!seat) {
    claim(pad);
    return;
  }
  // The rule says what the contestant may press now, and checks it again on the press.
  if (const auto action = meaning(hub_.view(*seat).actions)) hub_.press(pad.connection, *action);
}

void SdlPads::claim(Pad& pad) {
  const std::string token = tokenPrefix(pad.model) + std::to_string(++claimsMade_);
  const Seats::Joined joined = hub_.join(PadKind::controller, pad.connection, "", token);
  if (!joined.seat) return;
  claims_[*joined.seat] = joined.token;
  hub_.setControllerFaces(*joined.seat, pad.faces);
}

void SdlPads::rejoin(Pad& pad) {
  const Seats& seats = hub_.seats();
  for (Contestant seat : kBothContestants) {
    const auto& token = claims_[seat];
    if (!token || !token->starts_with(tokenPrefix(pad.model))) continue;
    if (seats.kind(seat) != PadKind::controller || seats.state(seat) != Seats::State::reconnecting)
      continue;
    const Seats::Joined joined = hub_.join(PadKind::controller, pad.connection, *token, *token);
    if (joined.seat) hub_.setControllerFaces(*joined.seat, pad.faces);
    return;
  }
}

void SdlPads::followGame() {
  const Seats& seats = hub_.seats();
  for (Contestant seat : kBothContestants)
    if (claims_[seat] && (!seats.taken(seat) || seats.kind(seat) != PadKind::controller))
      claims_[seat].reset();
  for (Device& device : devices_) {
    if (device.buzzerSet == nullptr || device.lights.empty()) continue;
    for (int handset = 0; handset < kBuzzerHandsets; ++handset) {
      const auto seat = seats.seatOf(device.pads[handset].connection);
      // Lit while the clock runs for the contestant holding the handset.
      light(device, handset, seat && offers(hub_.view(*seat).actions, PadAction::answerA));
    }
  }
}

void SdlPads::light(Device& device, int handset, bool on) {
  if (device.lights.empty() || device.lit[handset] == on) return;
  namespace fs = std::filesystem;
  const std::string suffix = "::buzz" + std::to_string(handset + 1);
  // A set unplugged while its folder is read ends the reading, never the game.
  std::error_code error;
  for (fs::directory_iterator led(device.lights, error), end; !error && led != end;
       led.increment(error)) {
    if (!led->path().filename().string().ends_with(suffix)) continue;
    std::ofstream brightness(led->path() / "brightness");
    brightness << (on ? "1" : "0") << std::flush;
    if (!brightness) {
      // Only root may drive them on most systems: the handsets then stay dark.
      device.lights.clear();
      return;
    }
  }
  device.lit[handset] = on;
}

void startControllers(App& app) {
  app.afterTitlePainted([&app](QWidget&) {
    std::string why;
    std::unique_ptr<SdlPads> pads = SdlPads::start(app, {}, &why);
    if (!pads) {
      std::fprintf(stderr, "zandoodle: no game controllers: %s\n", why.c_str());
      return;
    }
    // The program's for as long as it runs.
    pads.release()->setParent(&app);
  });
}

}  // namespace zndl
