#include "comm/platform/LastError.h"

#include <cerrno>

namespace platform {

unsigned long LastErrorCode() { return static_cast<unsigned long>(errno); }

}  // namespace platform
