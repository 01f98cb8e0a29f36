// Comparison of code page 936 texts without regard to case.
#pragma once

#include <string>

namespace platform {

// Whether `a` and `b` are equal without regard to case, as the C runtime's
// _mbsicmp on code page 936 decides. Windows calls _mbsicmp itself; elsewhere
// the folding that was generated from it (CaseFold936.h) decides.
bool EqualIgnoringCase936(const std::string& a, const std::string& b);

}  // namespace platform
