#include "comm/platform/CodePage.h"
#include "comm/platform/NativeCodePage.h"

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

namespace platform {
namespace native {

// No best-fit mapping: a character GBK lacks becomes the default '?' rather than
// some look-alike, which is what iconv does on the host.
std::string Utf8ToCodePage936Replacing(const std::string& text) {
    std::string result;
    if (text.empty()) {
        return result;
    }
    const int inLength = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, text.data(), inLength, nullptr, 0);
    if (wideLength <= 0) {
        return result;
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), inLength, &wide[0], wideLength);
    const int outLength =
        WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, "?", nullptr);
    if (outLength <= 0) {
        return result;
    }
    result.resize(static_cast<size_t>(outLength));
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &result[0], outLength, "?", nullptr);
    return result;
}

}  // namespace native
}  // namespace platform
