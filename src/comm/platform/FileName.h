// File names as the database layer needs them. Paths are Windows-style code page
// 936 texts everywhere in the program; these calls turn them into what the file
// system and SQLite take.
#pragma once

#include <string>

namespace platform {

// True when `path` names an existing regular file: a folder, a missing path or a
// path that cannot be converted does not count.
bool IsRegularFile(const std::string& path);

// The UTF-8 file name SQLite's open takes for `path`. False, leaving *utf8 empty,
// when `path` is not valid code page 936.
bool ToUtf8FileName(const std::string& path, std::string* utf8);

}  // namespace platform
