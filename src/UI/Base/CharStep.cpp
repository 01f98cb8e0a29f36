#include "UI/Base/CharStep.h"

#include "comm/platform/CharNext936.h"

namespace Vellum {

const char* UICharNext(const char* p) { return platform::CharNext936(p); }

}  // namespace Vellum
