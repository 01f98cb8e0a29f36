#include "support/PresentedReparsePoints.h"

#include <cassert>

#include "comm/platform/Folder.h"

namespace testsupport {
namespace {

const std::map<std::string, uint32_t>* g_tags = nullptr;

bool Present(const std::string& path, uint32_t* tag) {
    const auto found = g_tags->find(path);
    if (found == g_tags->end()) return false;
    *tag = found->second;
    return true;
}

}  // namespace

PresentedReparsePoints::PresentedReparsePoints(std::map<std::string, uint32_t> tags) : m_tags(std::move(tags)) {
    assert(g_tags == nullptr);
    g_tags = &m_tags;
    platform::SetReparseTagHookForTests(&Present);
}

PresentedReparsePoints::~PresentedReparsePoints() {
    platform::SetReparseTagHookForTests(nullptr);
    g_tags = nullptr;
}

}  // namespace testsupport
