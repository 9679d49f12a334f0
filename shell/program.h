#pragma once

#include <functional>

class QWidget;

namespace zndl {

// Runs the whole program: the application object, the real music, windows and error
// box, and the event loop until the title screen closes. `whenShown`, if given, is
// called once the title window has been painted for the first time.
int runProgram(int argc, char* argv[], std::function<void(QWidget&)> whenShown = {});

}  // namespace zndl
