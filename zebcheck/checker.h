// The zebcheck driver: command line, run and exit status.
//
//   zebcheck [-v] input ...
//
// Every input named on the command line is read, in order, as one input
// stream and parsed as one configuration. Syntax errors and names without
// definition are reported on the standard error stream; when the text
// parsed, the configuration is written again on standard output in
// canonical layout with its constant expressions folded. The exit status is
// 0 while no error was reported, else 1.
#pragma once

// Runs every module initialiser of the program once, then ParseCheckerArgs.
void InitChecker();

// The module initialisers of InitChecker after the support library's
// start-up, without the command line: for a run that supplies its inputs
// itself and then calls RunChecker.
void InitCheckerModules();

// Handles the arguments in order: "-v" prints the version banner and ends
// the program with status 0 at once; any other argument beginning with "-"
// is reported as discarded; every other argument is an input file. Without
// input: the usage message and status 1. Otherwise starts reading the inputs.
void ParseCheckerArgs();

// Parses the stream, builds the tree when the parse reported no syntax
// error, and when the run is still clean checks the names and prints the
// configuration.
void RunChecker();
