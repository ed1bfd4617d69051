// OutputFile: the stack of output files and the one output buffer.
//
// A program has one current output at a time: a named file, standard output
// (the empty name) or the standard error stream (a null name). Opening an
// output suspends the current one on a stack; closing it resumes the one
// below. All text goes through one buffer that reaches the current output
// when it is full, when WriteChar writes a newline, and when the output is
// closed or suspended. Pending bytes are also written out when the program
// exits, by any path.
//
// Every failure is fatal with status 1: a file that cannot be opened
// ("Cannot open file " + name) or re-opened ("Cannot re-open file " + name),
// a write, flush or close that fails ("Cannot write to file"), and a write
// while no output is open ("Output file is not open").
#pragma once

#include <cstdint>

// Once-only initialisation: the newline byte and the exit-time flush.
void InitOutput();

// Makes the named output current and suspends the current one. A name that
// is on the stack of suspended outputs is opened for appending; any other
// file name is created or truncated.
void OpenOutput(const char* name);

// Ends the current output and resumes the one below it, re-opening a file
// for appending. A standard stream is flushed and never closed; with nothing
// below it, it stays current.
void CloseOutput();

// Writes the pending bytes of the buffer to the current output.
void FlushOutput();

// Appends the bytes of a NUL-terminated string; null writes nothing.
void WriteString(const char* text);

// Appends length bytes, NUL bytes included.
void WriteBytes(const char* bytes, int32_t length);

// Appends one byte; a newline also writes the buffer out and flushes the
// stream.
void WriteChar(char c);
