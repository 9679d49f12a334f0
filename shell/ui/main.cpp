// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/program.h"

int main(int argc, char* argv[]) {
  return zndl::runProgram(argc, argv);
}
