#include "shell/program.h"

int main(int argc, char* argv[]) { return zndl::runProgram(argc, argv); }
