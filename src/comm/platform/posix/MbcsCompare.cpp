#include "comm/platform/MbcsCompare.h"

#include "comm/platform/CaseFold936.h"

namespace platform {

bool EqualIgnoringCase936(const std::string& a, const std::string& b) { return FoldCase936(a) == FoldCase936(b); }

}  // namespace platform
