#include "comm/platform/CodePage.h"

#include <windows.h>

namespace platform {
namespace {

// One text from `from` to `to` through UTF-16; strict on invalid input.
bool Convert(const std::string& text, UINT from, UINT to, std::string* out) {
    out->clear();
    if (text.empty()) {
        return true;
    }
    const int inLength = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), inLength, nullptr, 0);
    if (wideLength <= 0) {
        return false;
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), inLength, &wide[0], wideLength);

    // For code page 936 a character without a mapping is a failure, not a '?'.
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultArg = to == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = to == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
    const int outLength = WideCharToMultiByte(to, flags, wide.data(), wideLength, nullptr, 0, nullptr, usedDefaultArg);
    if (outLength <= 0 || usedDefault) {
        return false;
    }
    out->resize(static_cast<size_t>(outLength));
    WideCharToMultiByte(to, flags, wide.data(), wideLength, &(*out)[0], outLength, nullptr, nullptr);
    return true;
}

}  // namespace

bool CodePage936ToUtf8(const std::string& text, std::string* out) { return Convert(text, 936, CP_UTF8, out); }

bool Utf8ToCodePage936(const std::string& text, std::string* out) { return Convert(text, CP_UTF8, 936, out); }

}  // namespace platform
