// The Windows half of LogFolder.h: the executable's name.
#include <windows.h>

#include "ToolKit/Trevand/Trevand/LogFolder.h"

std::string ProgramLogFolder() {
    char name[kModuleNameSize];
    const DWORD length = ::GetModuleFileNameA(nullptr, name, kModuleNameSize);
    return LogFolderOfModuleName(name, length);
}
