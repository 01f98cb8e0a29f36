// How many days quarantined entries are kept before the purge offers them:
// "[Quarantine] KeepDays" in Trevand.ini beside the executable, 7 when it is
// missing or not a number the program can use.
#pragma once

#include <string>

namespace quarantine {

const int kDefaultKeepDays = 7;

// The days `value` (an ini value as the ini reader gives it, trimmed of blanks)
// stands for: a whole number of days written in digits only ("0" keeps
// nothing back). Empty, a sign, a fraction, any other character, or a number
// too large for an int give kDefaultKeepDays.
int ParseKeepDays(const std::string& value);

// Windows only: the KeepDays setting of the ini file `iniPath`. When the
// file does not exist it is created holding the default, so the operator
// finds the setting to change; an existing file is only read, whatever it
// holds.
int ReadKeepDays(const std::string& iniPath);

}  // namespace quarantine
