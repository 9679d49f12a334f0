// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and tells, from outside it, when its first top-level window is on
// the screen: mapped and viewable, frame and all when a window manager reparents it.
//
//   window_watch [--hold SECONDS] PROGRAM [ARGS...]
//
// Prints the microseconds from just before the exec to that moment. With --hold, the
// program then runs SECONDS longer and the line also gets its peak and current memory
// (VmHWM and VmRSS, in kB). The program is then ended with SIGTERM.
//
// The watcher listens on the root window before the program starts, so no map can be
// missed: every new child of the root is watched, and so is every frame a window is
// reparented into. A window counts once its _NET_WM_PID is the program's.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>
#include <string>

namespace {

long long nowMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000LL + now.tv_nsec / 1000;
}

long statusKb(pid_t pid, const char* field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
  return -1;
}

// Windows vanish while we look at them; that is not an error here.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

long windowPid(Display* display, Window window) {
  static const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      data != nullptr) {
    if (type == XA_CARDINAL && format == 32 && count == 1)
      pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    XFree(data);
  }
  return pid;
}

bool viewable(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

void watch(Display* display, Window window) {
  XSelectInput(display, window, StructureNotifyMask | PropertyChangeMask);
}

}  // namespace

int main(int argc, char* argv[]) {
  int first = 1;
  double hold = 0;
  if (argc > 2 && std::strcmp(argv[1], "--hold") == 0) {
    hold = std::atof(argv[2]);
    first = 3;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: window_watch [--hold SECONDS] PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window_watch: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(ignoreErrors);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const long long started = nowMicroseconds();
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execvp(argv[first], argv + first);
    std::fprintf(stderr, "window_watch: cannot run %s: %s\n", argv[first], std::strerror(errno));
    _exit(127);
  }

  // Candidate client windows: created as children of the root, or reparented.
  std::set<Window> clients;
  long long shownAt = -1;
  const int fd = ConnectionNumber(display);
  const long long deadline = started + 30LL * 1000000;
  while (shownAt < 0 && nowMicroseconds() < deadline) {
    if (XPending(display) == 0) {
      pollfd waitFor{fd, POLLIN, 0};
      poll(&waitFor, 1, 100);
      int status = 0;
      if (waitpid(child, &status, WNOHANG) == child) {
        std::fprintf(stderr, "window_watch: %s ended before showing a window\n", argv[first]);
        return 1;
      }
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    const long long at = nowMicroseconds();
    switch (event.type) {
      case CreateNotify:
        if (!event.xcreatewindow.override_redirect) {
          clients.insert(event.xcreatewindow.window);
          watch(display, event.xcreatewindow.window);
        }
        break;
      case ReparentNotify:
        // The frame the window manager put it in: its map shows the client.
        if (clients.count(event.xreparent.window) != 0 && event.xreparent.parent != root)
          watch(display, event.xreparent.parent);
        break;
      default:
        break;
    }
    if (event.type == MapNotify || event.type == ReparentNotify || event.type == PropertyNotify) {
      for (Window client : clients) {
        if (viewable(display, client) && windowPid(display, client) == child) {
          shownAt = at;
          break;
        }
      }
    }
  }

  int result = 0;
  if (shownAt < 0) {
    std::fprintf(stderr, "window_watch: no window of %s appeared\n", argv[first]);
    result = 1;
  } else if (hold > 0) {
    usleep(static_cast<useconds_t>(hold * 1e6));
    std::printf("%lld %ld %ld\n", shownAt - started, statusKb(child, "VmHWM:"),
                statusKb(child, "VmRSS:"));
  } else {
    std::printf("%lld\n", shownAt - started);
  }
  std::fflush(stdout);
  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  XCloseDisplay(display);
  return result;
}
