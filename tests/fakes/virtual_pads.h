// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/sdl_pads.h"

namespace zndl::testing {

// SDL's virtual joysticks standing in for game controllers and a buzzer set, plugged
// into the SDL the game's pads have loaded. A controller is a plain joystick that SDL
// is given a game-controller mapping for, with its buttons deliberately in an order of
// its own, so only SDL's mapping tells which is A; a buzzer set is a joystick of twenty
// buttons with Sony's numbers.
class VirtualPads {
 public:
  // The raw buttons of the test controller, as its mapping names them.
  enum PadButton { kY = 0, kX = 1, kB = 2, kA = 3, kShoulder = 4, kStart = 9 };
  static constexpr int kPadButtons = 12;

  explicit VirtualPads(SdlPads& pads) : pads_(pads), sdl_(pads.api()) {}
  ~VirtualPads() {
    for (std::size_t i = 0; i < plugged_.size(); ++i)
      if (plugged_[i].joystick != nullptr) unplug(static_cast<int>(i));
  }

  // Plugs in a device and lets the game see it; returns its number for the calls below.
  // Controllers of the same name are identical: the same GUID.
  int plugController(const char* name = "Zandoodle Test Pad") {
    SDL_VirtualJoystickDesc desc = describe(name, kPadButtons, 0x1209, 0x5a4e);
    const int handle = plug(desc);
    char guid[33] = {};
    sdl_.SDL_JoystickGetGUIDString(sdl_.SDL_JoystickGetDeviceGUID(index(handle)), guid,
                                   sizeof guid);
    const std::string mapping =
        std::string(guid) + "," + name + ",a:b3,b:b2,x:b1,y:b0,leftshoulder:b4,start:b9,";
    EXPECT_GE(sdl_.SDL_GameControllerAddMapping(mapping.c_str()), 0) << sdl_.SDL_GetError();
    pads_.poll();
    return handle;
  }
  // A joystick with no mapping, which SDL cannot tell the buttons of.
  int plugJoystick() {
    const int handle = plug(describe("Zandoodle Test Stick", kPadButtons, 0x1209, 0x5a4f));
    pads_.poll();
    return handle;
  }
  int plugBuzzerSet(std::uint16_t product = 0x1000, int buttons = 20) {
    const int handle = plug(describe("Zandoodle Test Buzzers", buttons, 0x054c, product));
    pads_.poll();
    return handle;
  }

  void unplug(int handle) {
    Plugged& device = plugged_.at(handle);
    ASSERT_NE(device.joystick, nullptr) << "plugged twice";
    const int at = index(handle);
    sdl_.SDL_JoystickClose(device.joystick);
    device.joystick = nullptr;
    ASSERT_EQ(sdl_.SDL_JoystickDetachVirtual(at), 0) << sdl_.SDL_GetError();
    pads_.poll();
  }

  // A button pressed and let go, each seen by the game.
  void press(int handle, int button) {
    hold(handle, button, true);
    pads_.poll();
    hold(handle, button, false);
    pads_.poll();
  }
  // A button held down or let go; the game sees it the next time it reads SDL.
  void hold(int handle, int button, bool down) {
    SDL_Joystick* joystick = plugged_.at(handle).joystick;
    ASSERT_NE(joystick, nullptr);
    ASSERT_EQ(sdl_.SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0), 0)
        << sdl_.SDL_GetError();
  }
  // A buzzer handset's button (handsets 0 to 3).
  void pressBuzzer(int handle, int handset, BuzzerButton button) {
    press(handle, handset * kButtonsPerHandset + static_cast<int>(button));
  }

 private:
  struct Plugged {
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
  };

  static SDL_VirtualJoystickDesc describe(const char* name, int buttons, std::uint16_t vendor,
                                          std::uint16_t product) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.nbuttons = static_cast<Uint16>(buttons);
    desc.vendor_id = vendor;
    desc.product_id = product;
    desc.name = name;
    return desc;
  }

  int plug(const SDL_VirtualJoystickDesc& desc) {
    const int at = sdl_.SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(at, 0) << sdl_.SDL_GetError();
    Plugged device;
    device.joystick = sdl_.SDL_JoystickOpen(at);
    EXPECT_NE(device.joystick, nullptr) << sdl_.SDL_GetError();
    device.id = sdl_.SDL_JoystickInstanceID(device.joystick);
    plugged_.push_back(device);
    return static_cast<int>(plugged_.size() - 1);
  }

  // Where SDL lists the device now: the list closes up as devices go.
  int index(int handle) const {
    for (int i = 0; i < sdl_.SDL_NumJoysticks(); ++i)
      if (sdl_.SDL_JoystickGetDeviceInstanceID(i) == plugged_.at(handle).id) return i;
    ADD_FAILURE() << "device " << handle << " is not plugged in";
    return -1;
  }

  SdlPads& pads_;
  const sdl::Api& sdl_;
  std::vector<Plugged> plugged_;
};

}  // namespace zndl::testing
