#include "comm/platform/win32/ReparseTagHook.h"

#include <atomic>

#include "comm/platform/Folder.h"

namespace platform {
namespace {

std::atomic<ReparseTagHook> g_hook{nullptr};

}  // namespace

void SetReparseTagHookForTests(ReparseTagHook hook) { g_hook.store(hook); }

namespace win32 {

bool ReparseTagHookIsSet() { return g_hook.load() != nullptr; }

bool PresentedReparseTag(const std::string& path, uint32_t* tag) {
    const ReparseTagHook hook = g_hook.load();
    return hook != nullptr && hook(path, tag);
}

}  // namespace win32
}  // namespace platform
