// The caldrex command line: ten options, each taking the next argument, and
// any number of input files; the standard-names file.
//
// Every argument that does not begin with "-" is an input file: it is queued
// on the input list, followed by the in-memory input "EndOfFile" (one
// newline), so all command-line files are read as one stream and parsed as
// one compilation unit. Any other argument must be one of the options; an
// unknown one ends the program at once with status 1 and no message, and so
// does a command line without an input file.
//
// An option's value is the argument after it, taken as it stands (also when
// it begins with "-"); a later option replaces an earlier value. An option
// given as the last argument has no value: the five list options then name
// no file (the list goes to the standard error stream, as the output stack
// does with no name); every other option takes the empty text.
#pragma once

#include <cstdint>

#include "caldrex/namelist.h"

enum CaldrexOption : int32_t {
  SourcePathOption,      // -sp: directories separated by ":", searched first
  ClassPathOption,       // -cp: directories separated by ":", searched after -sp
  MissingImportsOption,  // -ti: list of single-type imports without a source file
  OnDemandOption,        // -tw: list of on-demand packages
  SourceFilesOption,     // -ij: list of source files found
  StandardUsesOption,    // -ic: list of standard names used
  UnresolvedOption,      // -res: list of names nothing resolved
  StandardFileOption,    // -std: the standard-names file
  CacheOption,           // -cache: kept, never read
  SourceLevelOption,     // -source: the Java source level
  CaldrexOptionCount
};

// The option's value: "" until the command line sets it; null only for a
// list option given as the last argument.
const char* OptionValue(CaldrexOption option);

// The -source value, which decides whether "assert" is a keyword.
const char* SourceLevelValue();

// Once-only init: every option "" (and the search path module, which holds
// the standard names).
void InitOptions();

// Reads arguments 1 to count - 1, then builds the search path, reads the
// standard-names file and starts the input list. Ends the program (status 1)
// on an unknown option or when no input file was given.
void ScanArguments();

// One argument: an input file, or an option that consumes the next argument
// (index moves past it). Sets *sawInput for an input file.
void HandleArgument(int32_t& index, bool* sawInput);

// Stores the argument after index as the value of the option named by text
// and moves index past it; exits with status 1 when text is no option.
void SetOption(int32_t& index, const char* text);

// Queues a command-line file and the "EndOfFile" text as inputs.
void AddSourceArgument(const char* fileName);

// Fills StandardNames (caldrex/searchpath.h) from the file: one name per line, the line without its
// newline and untrimmed. A file that cannot be opened or read (a directory)
// is reported on the standard error stream and leaves the list empty; the
// run goes on and stays successful.
void ReadStandardFile(const char* fileName);
