// The entry steps of caldrex: module initialisation, the command line, and
// the empty finishing step.
#pragma once

// Calls every module's once-only init, in a fixed order.
void InitAllModules();

// InitAllModules, then the command line (ScanArguments).
void InitProgram();

// The finishing step after a failed run; it does nothing.
void DriverFinish();
