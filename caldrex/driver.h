// The entry steps of caldrex: module initialisation, the command line, and
// the empty finishing step.
#pragma once

// Calls every module's once-only init, in a fixed order.
void InitAllModules();

// Reads the command line: the options, the input files, the search path and
// the standard-names file (ScanArguments).
void ProcessCommandLine();

// InitAllModules, then ProcessCommandLine.
void InitProgram();

// The finishing step after a failed run; it does nothing.
void DriverFinish();
