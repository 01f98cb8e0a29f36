#include "Tour.h"

namespace demo {
bool RunTour(const std::string&, const std::string&, const std::string&) { return false; }
}  // namespace demo
