// Windows only, under Wine: the few things a test needs from the Linux side —
// a Linux path for a Windows one, and running a Linux command (to make symbolic
// links and drive letters, which Wine 8 cannot make from the Windows side).
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// The Linux path of the Windows path `windowsPath` (code page 936); empty when
// not running under Wine or when it cannot be converted.
std::string UnixPathOf(const std::string& windowsPath);

// The same for a path that may hold names ending in a dot or a space
// ("E:\Games\Game."), named from its drive's root ("E:\"): UnixPathOf reads
// the whole path in the usual form, which trims them ("E:\Games\Game").
std::string ExactUnixPathOf(const std::string& windowsPath);

// The Windows path (code page 936) of the Linux path `unixPath`; empty when
// not running under Wine or when it cannot be converted.
std::string WindowsPathOf(const std::string& unixPath);

// The prefix's folder of drive letter links ("$WINEPREFIX/dosdevices"); empty
// outside Wine.
std::string DosDevicesFolder();

// Runs the Linux command `argv` (UTF-8 arguments) and waits for it. True when it
// could be started and exited with 0.
bool RunUnixCommand(const std::vector<std::string>& argv);

// Like RunUnixCommand, and puts what the command wrote to its standard output
// in `*output` (through a temporary file: the spawned command's own output
// goes to the console of the Wine process). Its standard error is dropped.
bool RunUnixCommandOutput(const std::vector<std::string>& argv, std::string* output);

}  // namespace testsupport
