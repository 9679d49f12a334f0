// SPDX-License-Identifier: GPL-3.0-or-later
#include "adapters/qt_dialog_frame.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace zndl {
namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <class T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_atom_t atom(xcb_connection_t* c, std::string_view name) {
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The window a window manager names in _NET_SUPPORTING_WM_CHECK, or none.
xcb_window_t supportingWindow(xcb_connection_t* c, xcb_window_t root) {
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      c,
      xcb_get_property(c, 0, root, atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1),
      nullptr));
  if (!reply || xcb_get_property_value_length(reply.get()) != sizeof(xcb_window_t))
    return XCB_WINDOW_NONE;
  xcb_window_t window;
  std::memcpy(&window, xcb_get_property_value(reply.get()), sizeof window);
  return window;
}

bool runsUnderOpenbox(xcb_connection_t* c, xcb_window_t root) {
  const xcb_window_t check = supportingWindow(c, root);
  if (check == XCB_WINDOW_NONE) return false;
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, check, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 0, 16),
      nullptr));
  if (!reply) return false;
  const std::string_view name(static_cast<const char*>(xcb_get_property_value(reply.get())),
                              static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
  return name == "Openbox";
}

}  // namespace

void keepTitleButtonsOff(QWidget& dialog) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;
  xcb_connection_t* c = x11->connection();
  const xcb_setup_t* setup = xcb_get_setup(c);
  const xcb_screen_iterator_t screen = xcb_setup_roots_iterator(setup);
  if (!screen.rem || !runsUnderOpenbox(c, screen.data->root)) return;
  const xcb_atom_t types[] = {atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                              atom(c, "_NET_WM_WINDOW_TYPE_DIALOG")};
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(dialog.winId()),
                      atom(c, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 2, types);
  xcb_flush(c);
}

}  // namespace zndl
