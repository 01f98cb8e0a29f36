// The name of the folder at the root of a disk where the program keeps the
// entries it quarantined. The scan never offers it: what is in it is already
// on its way out, and deleting it would lose what can still be restored.
#pragma once

#include <string>

namespace quarantine {

extern const char kFolderName[];  // "TrevandQuarantine"

// Whether `name` (one entry name, as a listing gives it) is the quarantine
// folder's, compared as the file system does (ASCII letters without regard
// to case).
bool IsQuarantineFolderName(const std::string& name);

}  // namespace quarantine
