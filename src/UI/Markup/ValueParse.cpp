#include "UI/Markup/ValueParse.h"

#include <climits>
#include <cstring>

namespace Vellum {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads `count` numbers, each followed by one separator; the separator is only
// skipped when there is one, so a short text never leads past its NUL.
void ParseNumbers(const char* value, int* numbers, int count) {
    const char* p = value != nullptr ? value : "";
    for (int i = 0; i < count; ++i) {
        const char* end = p;
        numbers[i] = ParseInt(p, &end);
        p = *end != '\0' ? end + 1 : end;
    }
}

}  // namespace

bool ParseBool(const char* value) { return value != nullptr && std::strcmp(value, "true") == 0; }

uint32_t ParseColor(const char* value) {
    if (value == nullptr) {
        return 0;
    }
    const char* p = value;
    if (*p == '#') {
        ++p;
    }
    uint64_t color = 0;
    for (int digit = HexDigit(*p); digit >= 0; digit = HexDigit(*++p)) {
        color = color * 16 + static_cast<uint64_t>(digit);
        if (color > 0xFFFFFFFFu) {
            return 0xFFFFFFFFu;
        }
    }
    return static_cast<uint32_t>(color);
}

int ParseInt(const char* value, const char** end) {
    const char* p = value != nullptr ? value : "";
    if (end != nullptr) {
        *end = p;
    }
    while (IsBlank(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p < '0' || *p > '9') {
        return 0;
    }
    // Accumulate as a magnitude with room for INT_MIN, then clamp.
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (magnitude <= limit) {
            magnitude = magnitude * 10 + (*p - '0');
        }
    }
    if (end != nullptr) {
        *end = p;
    }
    if (magnitude > limit) {
        magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

UIRect ParseRect(const char* value) {
    int numbers[4];
    ParseNumbers(value, numbers, 4);
    UIRect rect;
    rect.left = numbers[0];
    rect.top = numbers[1];
    rect.right = numbers[2];
    rect.bottom = numbers[3];
    return rect;
}

UISize ParseSize(const char* value) {
    int numbers[2];
    ParseNumbers(value, numbers, 2);
    UISize size;
    size.cx = numbers[0];
    size.cy = numbers[1];
    return size;
}

}  // namespace Vellum
