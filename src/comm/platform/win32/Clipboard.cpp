#include "comm/platform/Clipboard.h"

#include <windows.h>

#include <cstring>

namespace platform {

namespace {

// A movable global block holding `bytes` bytes from `data`, for the
// clipboard to own once SetClipboardData took it; null on failure.
HGLOBAL CopyToGlobal(const void* data, size_t bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return nullptr;
    void* target = GlobalLock(block);
    if (!target) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(block);
    return block;
}

bool SetFormat(UINT format, const void* data, size_t bytes) {
    HGLOBAL block = CopyToGlobal(data, bytes);
    if (!block) return false;
    if (SetClipboardData(format, block)) return true;  // the clipboard owns it now
    GlobalFree(block);
    return false;
}

}  // namespace

bool CopyTextToClipboard(void* owner, const std::string& text) {
    const int wideChars = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (wideChars <= 0) return false;
    std::wstring wide(static_cast<size_t>(wideChars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], wideChars);
    if (!OpenClipboard(static_cast<HWND>(owner))) return false;
    const bool ok = EmptyClipboard() && SetFormat(CF_TEXT, text.c_str(), text.size() + 1) &&
                    SetFormat(CF_UNICODETEXT, wide.c_str(), wide.size() * sizeof(wchar_t));
    CloseClipboard();
    return ok;
}

}  // namespace platform
