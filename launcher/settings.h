// The launcher's settings language front end. The launcher feeds it one
// in-memory text, a single line end named "newline"; evaluating the root
// attribute of the resulting (empty) settings tree starts Java.
#pragma once

#include <cstdint>

// Once-only initialisation of the front end.
void InitSettingsLanguage();

// Queues the settings text "\n" under the name "newline" and starts reading.
void QueueSettingsText();

// Parses the current input as a settings text from the start state with the
// set {endoffile}, then skips to the end of the input; the parse trace is
// rewound for the tree's replay. Syntax errors are reported as they are met.
void InitAndParseIni();

// 1 when the parse of the settings text went through: no syntax error, the
// deferred conditions hold and no error was reported; else 0. Only then is
// the root evaluated.
int32_t IniRunSucceeded();

// Parses the queued text, builds its tree and evaluates its root, which
// launches Java. Returns only when nothing was launched.
void RunLauncher();
