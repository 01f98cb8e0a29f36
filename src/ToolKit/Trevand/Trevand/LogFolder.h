// Where the program writes its log (and, by default, its exports and
// reports): a folder "log" beside Trevand.exe.
//
// The executable's own name is read into a buffer of kModuleNameSize bytes.
// When it cannot be read whole, the folder is "\log\" at the root of the
// current drive, never one relative to the current folder: a program started
// by the Task Scheduler or a shortcut has a current folder of the caller's
// choosing (often System32), and a log there would be lost.
#pragma once

#include <string>

// The buffer the executable's name is read into, as the platform limits it.
const unsigned long kModuleNameSize = 260;

// The log folder for the executable's name `name` as the platform call gave
// it back into kModuleNameSize bytes with result `length` (the characters
// written, without the terminating NUL). A `length` of 0 (the call failed)
// or of kModuleNameSize and more (the name was cut), or a name without a
// backslash, gives "\log\"; otherwise the name up to (not including) its
// last backslash followed by "\log\". Backslashes are found character by
// character in code page 936: the trail byte 0x5C of 誠 splits nothing.
// Reads at most `length` bytes of `name`.
std::string LogFolderOfModuleName(const char* name, unsigned long length);

// Windows only: the log folder of this executable.
std::string ProgramLogFolder();
