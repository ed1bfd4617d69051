// Every message and fixed text that zebcheck writes, in one place.
#pragma once

// The version banner: program name, newline, "Version: ", version, ", ",
// build date, newline. The Windows console build carries its own pair.
inline constexpr char VersionPrefixText[] = "Version: ";
inline constexpr char VersionSeparatorText[] = ", ";
#ifdef _WIN32
inline constexpr char VersionText[] = "1.2";
inline constexpr char BuildDateText[] = "Tue Mar 22 21:36:17 2005";
#else
inline constexpr char VersionText[] = "1.0";
inline constexpr char BuildDateText[] = "Tue Mar 22 21:36:06 2005";
#endif

// The only option: the version banner.
inline constexpr char VersionOptionText[] = "-v";

// "Unknown option discarded: " and the argument, newline.
inline constexpr char UnknownOptionText[] = "Unknown option discarded: ";

// "usage: ", the program name, " [-v] input ...", newline.
inline constexpr char UsagePrefixText[] = "usage: ";
inline constexpr char UsageSuffixText[] = " [-v] input ...";

// A positioned error at a name without definition: the text, the name, "\n".
inline constexpr char NoDefinitionText[] = "no definition for ";
