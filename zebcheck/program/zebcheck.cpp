// The zebcheck program's entry: hands the command line to the support
// library's start-up, which runs the checker and ends with its status.
//
// The Windows console build asks its C run-time to expand wildcards in the
// arguments before main (the POSIX shell does that itself) and to open files
// in binary mode, so that inputs are read byte for byte as on POSIX systems:
// no CR LF translation and no end of input at a Ctrl-Z byte.
#include "support/startup.h"
#include "zebcheck/checker.h"

#ifdef _WIN32
#include <fcntl.h>
#include <stdlib.h>

extern "C" {
int _dowildcard = -1;
}
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  _fmode = _O_BINARY;
#endif
  RunProgram(argc, argv, InitChecker, RunChecker, nullptr);
}
