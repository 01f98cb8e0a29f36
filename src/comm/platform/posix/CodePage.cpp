#include "comm/platform/CodePage.h"
#include "comm/platform/NativeCodePage.h"

#include <iconv.h>

#include <cerrno>

#include <utility>

namespace platform {
namespace {

// One text through iconv; any invalid or unmappable byte sequence fails the whole
// conversion, as MB_ERR_INVALID_CHARS does on Windows.
bool Convert(const std::string& text, const char* from, const char* to, std::string* out) {
    out->clear();
    if (text.empty()) {
        return true;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::string result(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = &result[0];
    size_t outLeft = result.size();
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0) {
        return false;
    }
    result.resize(result.size() - outLeft);
    *out = std::move(result);
    return true;
}

}  // namespace

// glibc's CP936 is Microsoft's code page 936 (GBK with 0x80 as the euro sign).
bool CodePage936ToUtf8(const std::string& text, std::string* out) { return Convert(text, "CP936", "UTF-8", out); }

bool Utf8ToCodePage936(const std::string& text, std::string* out) { return Convert(text, "UTF-8", "CP936", out); }

}  // namespace platform

namespace platform {
namespace native {

// iconv stops at the first character CP936 lacks (EILSEQ, since the input is
// known to be well formed); that character becomes '?' and the rest goes on.
std::string Utf8ToCodePage936Replacing(const std::string& text) {
    std::string result;
    if (text.empty()) {
        return result;
    }
    iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return result;
    }
    result.resize(text.size() * 2 + 4);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = &result[0];
    size_t outLeft = result.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
            break;
        }
        if (errno != EILSEQ && errno != EINVAL) {
            break;  // cannot happen: two bytes out per input byte always fit
        }
        *outPtr++ = '?';
        --outLeft;
        const unsigned char c = static_cast<unsigned char>(*in);
        const size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
        in += length < inLeft ? length : inLeft;
        inLeft -= length < inLeft ? length : inLeft;
    }
    iconv_close(cd);
    result.resize(result.size() - outLeft);
    return result;
}

}  // namespace native
}  // namespace platform
