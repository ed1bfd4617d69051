// The launcher's settings language front end. The launcher feeds it one
// in-memory text, a single line end named "newline"; evaluating the root
// attribute of the resulting (empty) settings tree starts Java.
#pragma once

// Once-only initialisation of the front end.
void InitSettingsLanguage();

// Queues the settings text "\n" under the name "newline" and starts reading.
void QueueSettingsText();

// Parses the queued text, builds its tree and evaluates its root, which
// launches Java. Returns only when nothing was launched.
void RunLauncher();
