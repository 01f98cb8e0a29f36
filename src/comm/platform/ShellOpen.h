// Windows only: handing a file or a folder to the shell, for the operator to
// look at with the system's own programs.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Opens the text file `path` (a log) with the program the system has for
// its kind, else with Notepad (a system without one for ".log", as Wine
// is). False with the system's code in *error when neither can open it.
bool OpenTextFile(const std::string& path, uint32_t* error);

// Opens an Explorer window on the folder holding `path`, with the entry
// itself selected. False with the code in *error when Explorer cannot start.
bool ShowInExplorer(const std::string& path, uint32_t* error);

}  // namespace platform
