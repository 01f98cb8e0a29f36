#include "comm/platform/ObjectName.h"

#include "comm/platform/VerbatimPath.h"

namespace platform {
namespace {

// `objectName` with every name trimmed of the dots and spaces at its end.
std::wstring WithTrimmedNames(const std::wstring& objectName) {
    std::wstring trimmed;
    for (size_t start = 0, end = 0; start <= objectName.size(); start = end + 1) {
        end = objectName.find(L'\\', start);
        if (end == std::wstring::npos) end = objectName.size();
        if (start > 0) trimmed += L'\\';
        trimmed += TrimmedName(objectName.substr(start, end - start));
    }
    return trimmed;
}

}  // namespace

std::wstring JoinObjectName(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L'\\' + name;
}

ObjectNameMatch MatchObjectName(const std::wstring& resolved, const std::wstring& folder, const std::wstring& name) {
    const std::wstring own = JoinObjectName(folder, name);
    if (resolved == own) return ObjectNameMatch::kSame;
    return WithTrimmedNames(resolved) == WithTrimmedNames(own) ? ObjectNameMatch::kSameOnceTrimmed
                                                               : ObjectNameMatch::kOther;
}

}  // namespace platform
