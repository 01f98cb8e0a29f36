// Windows only: this machine's name as the network knows it.
#pragma once

#include <string>

namespace platform {

// The computer's NetBIOS name (GetComputerNameA); empty when it cannot be read.
std::string MachineName();

}  // namespace platform
