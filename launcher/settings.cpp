// The settings front end's driver: queues the fixed settings text and runs
// the front end over it; the evaluation of the tree's root starts Java.
#include "launcher/settings.h"

#include "launcher/discovery.h"
#include "support/identifiers.h"
#include "support/input.h"
#include "support/startup.h"

namespace {

int32_t settingsReady = 0;

// The one settings text the launcher reads.
const char SettingsText[] = "\n";

}  // namespace

void InitSettingsLanguage() {
  if (!EnterModuleInit(settingsReady)) return;
  SourceInputModuleInit();
}

void QueueSettingsText() {
  AddInputText(SettingsText, 1, IdentifierOf("newline"));
  StartInputs();
}

void RunLauncher() {
  CloseInput();
  LaunchJava();
}
