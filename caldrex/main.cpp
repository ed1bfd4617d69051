// caldrex: finds the Java source files that the given sources need, on the
// source and class paths, and writes the five result lists.
//
// Usage: caldrex [-sp PATH] [-cp PATH] [-ti FILE] [-tw FILE] [-ij FILE]
//                [-ic FILE] [-res FILE] [-std FILE] [-cache X]
//                [-source LEVEL] FILE...
#include "caldrex/driver.h"
#include "caldrex/unitrun.h"
#include "support/startup.h"

int main(int argc, char** argv) { RunProgram(argc, argv, InitProgram, RunAllFiles, DriverFinish); }
