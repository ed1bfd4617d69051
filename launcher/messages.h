// Every text the launcher writes: help, trace labels and its failure messages.
// They are kept here, in one place, so that they can be checked against the
// texts the product documents; the code refers to them by name only.
#pragma once

namespace launcher_text {

// Help text of --tarkelhelp: HelpUsage, the command name, HelpUsageTail, then the rest.
inline constexpr const char* HelpUsage = "Usage: ";
inline constexpr const char* HelpUsageTail = " [<option>]...\n";
inline constexpr const char* HelpBody =
    "Options:\n"
    "  --tarkelhome <path>         set path tarkel\n"
    "  --tarkelclasspath <path>    set path to tarkel classes\n"
    "  --tarkelhelp                displays this message\n"
    "  --tarkelinifile <path>      set path to tarkel inifile\n"
    "  --tarkeljvm <path>          set path to Java Virtual Machine\n"
    "  --tarkeltrace               enable execution tracing\n";

// Unknown command name: the pieces around the received name and the list of
// recognised names, written in this order.
inline constexpr const char* UnknownCommandHead =
    "Unrecognized command! The specified application could not be launched. "
    "Command received: [";
inline constexpr const char* UnknownCommandList = "]; commands recognized: ";
inline constexpr const char* UnknownCommandTail =
    ". "
    "Has one of the executables been renamed or is this application called "
    "via a filesystem link or alias? "
    "Please check the "
    "Tarkel"
    " installation.\n";

// No home directory could be found from the program's own path.
inline constexpr const char* HomeMessage =
    "Unable to determine the home path for Tarkel, use\n"
    "the --tarkelhome switch to supply the path.\n";

// No Java virtual machine on PATH and none given with --tarkeljvm.
inline constexpr const char* JvmMessage =
    "A Java Runtime Environment (JRE) or Java Development Kit (JDK)\n"
    "must be available in order to run Tarkel. \nNo Java virtual machine "
    "was found, use the --tarkeljvm to supply the full path\n"
    "to a JRE of JDK.\n";

// execv of the Java virtual machine failed: this text, the path, ": ", the
// system's reason and a line end.
inline constexpr const char* ExecFailed = "Cannot start the Java virtual machine ";

// Prefix of perror when the current directory cannot be read.
inline constexpr const char* PlatformPrefix = "Platform";

// Trace labels (each written after "[DEBUG] " when tracing).
inline constexpr const char* TraceDebug = "[DEBUG] ";
inline constexpr const char* TraceRawCmdPath = "Raw Cmd path: ";
inline constexpr const char* TraceWorkingDir = "Working dir: ";
inline constexpr const char* TraceFullCmdPath = "Full Cmd path: ";
inline constexpr const char* TraceHomePath = "Home path: ";
inline constexpr const char* TraceJvm = "Java Virtual Machine: ";
inline constexpr const char* TraceFinding = "Finding command ";
inline constexpr const char* TraceInPath = " in PATH: ";

}  // namespace launcher_text
