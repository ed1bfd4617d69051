// Entry of the launcher program: start-up, the launcher's initialisation
// (options, home and JVM discovery), then the run that starts Java.
#include "launcher/launcher.h"
#include "launcher/settings.h"
#include "support/startup.h"

int main(int argc, char** argv) { RunProgram(argc, argv, InitLauncher, RunLauncher, nullptr); }
