// caldrex's init and finish steps.
#include "caldrex/driver.h"

#include "caldrex/options.h"
#include "caldrex/qualnames.h"
#include "caldrex/resolve.h"
#include "caldrex/searchpath.h"
#include "caldrex/unitrun.h"

void InitAllModules() {
  InitResultLists();
  QualifiedNamesModuleInit();
  InitSearchPath();
  InitOptions();
  InitUnitRun();
}

void ProcessCommandLine() { ScanArguments(); }

void InitProgram() {
  InitAllModules();
  ProcessCommandLine();
}

void DriverFinish() {}
