#include "comm/platform/ObjectName.h"

namespace platform {

std::wstring JoinObjectName(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L'\\' + name;
}

}  // namespace platform
