#include "UI/Base/UIString.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <utility>

#include "UI/Base/CharStep.h"
#include "comm/platform/AsciiCase.h"

namespace Vellum {
namespace {

void* AllocateWithMalloc(size_t size) { return std::malloc(size); }

CUIString::BlockAllocator g_allocateBlock = AllocateWithMalloc;

// Length of `text`, at most `limit` bytes when `limit` is not negative; reads no
// byte past the limit (the caller's buffer may end there without a NUL).
int BoundedLength(const char* text, int limit) {
    if (text == nullptr) {
        return 0;
    }
    if (limit < 0) {
        return static_cast<int>(std::strlen(text));
    }
    const void* nul = std::memchr(text, '\0', static_cast<size_t>(limit));
    return nul != nullptr ? static_cast<int>(static_cast<const char*>(nul) - text) : limit;
}

// Whether `text` points into [begin, end]; std::less orders any two pointers,
// which the built-in comparison does not promise for unrelated buffers.
bool PointsInto(const char* text, const char* begin, const char* end) {
    return !std::less<const char*>()(text, begin) && !std::less<const char*>()(end, text);
}

// The unit at `p` and its size: a double-byte character as lead * 256 + trail.
unsigned UnitAt(const char* p, size_t* size) {
    *size = UICharSize(p);
    const unsigned lead = static_cast<unsigned char>(p[0]);
    return *size == 2 ? (lead << 8) | static_cast<unsigned char>(p[1]) : lead;
}

unsigned FoldAscii(unsigned unit) { return unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit; }

int CompareUnits(const char* a, const char* b, bool foldCase) {
    for (;;) {
        size_t sizeA = 0;
        size_t sizeB = 0;
        unsigned unitA = UnitAt(a, &sizeA);
        unsigned unitB = UnitAt(b, &sizeB);
        if (foldCase) {
            unitA = FoldAscii(unitA);
            unitB = FoldAscii(unitB);
        }
        if (unitA != unitB) {
            return unitA < unitB ? -1 : 1;
        }
        if (unitA == 0) {
            return 0;
        }
        a += sizeA;
        b += sizeB;
    }
}

}  // namespace

int CompareUIText(const char* a, const char* b) { return CompareUnits(a ? a : "", b ? b : "", false); }

CUIString::CUIString() : m_pstr(m_szBuffer) { m_szBuffer[0] = '\0'; }

CUIString::CUIString(const char* text, int length) : CUIString() { Assign(text, length); }

CUIString::CUIString(char ch) : CUIString() { Assign(&ch, 1); }

CUIString::CUIString(const std::string& text) : CUIString() { Assign(text.c_str(), static_cast<int>(text.size())); }

CUIString::CUIString(const CUIString& other) : CUIString() { Assign(other.m_pstr, other.m_nLength); }

CUIString::CUIString(CUIString&& other) noexcept : CUIString() { *this = std::move(other); }

CUIString::~CUIString() { FreeHeap(); }

CUIString& CUIString::operator=(const CUIString& other) {
    if (this != &other) {
        Assign(other.m_pstr, other.m_nLength);
    }
    return *this;
}

CUIString& CUIString::operator=(CUIString&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    if (other.IsInline()) {
        FreeHeap();
        std::memcpy(m_pstr, other.m_pstr, static_cast<size_t>(other.m_nLength) + 1);
        m_nLength = other.m_nLength;
        return *this;
    }
    // Take over the other text's heap block; the other becomes empty.
    FreeHeap();
    m_pstr = other.m_pstr;
    m_nLength = other.m_nLength;
    m_nCapacity = other.m_nCapacity;
    other.m_pstr = other.m_szBuffer;
    other.m_szBuffer[0] = '\0';
    other.m_nLength = 0;
    other.m_nCapacity = kInlineSize;
    return *this;
}

CUIString& CUIString::operator=(const char* text) {
    Assign(text);
    return *this;
}

CUIString& CUIString::operator=(char ch) {
    Assign(&ch, 1);
    return *this;
}

void CUIString::FreeHeap() {
    if (!IsInline()) {
        std::free(m_pstr);
        m_pstr = m_szBuffer;
        m_nCapacity = kInlineSize;
    }
}

CUIString::BlockAllocator CUIString::SetBlockAllocator(BlockAllocator allocate) {
    const BlockAllocator previous = g_allocateBlock;
    g_allocateBlock = allocate ? allocate : AllocateWithMalloc;
    return previous;
}

void CUIString::Reserve(int length) {
    // A text of kInlineSize - 1 bytes would still fit with its NUL, but the
    // inline buffer is kept for texts shorter than that.
    if (IsInline() ? length < kInlineSize - 1 : length + 1 <= m_nCapacity) {
        return;
    }
    int capacity = length + 1;
    capacity += capacity / 2;
    char* block = static_cast<char*>(g_allocateBlock(static_cast<size_t>(capacity)));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(block, m_pstr, static_cast<size_t>(m_nLength) + 1);
    FreeHeap();
    m_pstr = block;
    m_nCapacity = capacity;
}

void CUIString::SetLength(int length) {
    m_nLength = length;
    m_pstr[length] = '\0';
}

void CUIString::Assign(const char* text, int length) {
    const int count = BoundedLength(text, length);
    // `text` may point into this very string; copy it aside first when so.
    if (text != nullptr && PointsInto(text, m_pstr, m_pstr + m_nLength)) {
        CUIString copy(text, count);
        *this = std::move(copy);
        return;
    }
    if (count < kInlineSize - 1) {
        FreeHeap();
    } else {
        // Room first: when it cannot be had the old text is still intact.
        Reserve(count);
    }
    if (count > 0) {
        std::memcpy(m_pstr, text, static_cast<size_t>(count));
    }
    SetLength(count);
}

void CUIString::Append(const char* text, int length) {
    const int count = BoundedLength(text, length);
    if (count == 0) {
        return;
    }
    if (PointsInto(text, m_pstr, m_pstr + m_nLength)) {
        CUIString copy(text, count);
        Append(copy.m_pstr, copy.m_nLength);
        return;
    }
    Reserve(m_nLength + count);
    std::memcpy(m_pstr + m_nLength, text, static_cast<size_t>(count));
    SetLength(m_nLength + count);
}

void CUIString::Empty() {
    FreeHeap();
    SetLength(0);
}

char CUIString::GetAt(int index) const { return index >= 0 && index < m_nLength ? m_pstr[index] : '\0'; }

void CUIString::SetAt(int index, char ch) {
    if (index >= 0 && index < m_nLength && ch != '\0') {
        m_pstr[index] = ch;
    }
}

CUIString& CUIString::operator+=(const CUIString& other) {
    Append(other.m_pstr, other.m_nLength);
    return *this;
}

CUIString& CUIString::operator+=(const char* text) {
    Append(text);
    return *this;
}

CUIString& CUIString::operator+=(char ch) {
    Append(&ch, 1);
    return *this;
}

int CUIString::Compare(const char* text) const { return CompareUnits(m_pstr, text ? text : "", false); }

int CUIString::CompareNoCase(const char* text) const { return CompareUnits(m_pstr, text ? text : "", true); }

int CUIString::Find(char ch, int start) const {
    if (start < 0 || start > m_nLength || ch == '\0') {
        return -1;
    }
    for (const char* p = m_pstr + start; *p != '\0'; p = UICharNext(p)) {
        if (*p == ch && UICharSize(p) == 1) {
            return static_cast<int>(p - m_pstr);
        }
    }
    return -1;
}

int CUIString::Find(const char* sub, int start) const {
    if (start < 0 || start > m_nLength) {
        return -1;
    }
    const size_t subLength = sub ? std::strlen(sub) : 0;
    const char* end = m_pstr + m_nLength;
    for (const char* p = m_pstr + start;; p = UICharNext(p)) {
        if (static_cast<size_t>(end - p) >= subLength && std::memcmp(p, sub, subLength) == 0) {
            return static_cast<int>(p - m_pstr);
        }
        if (p == end) {
            return -1;
        }
    }
}

int CUIString::ReverseFind(char ch) const {
    int found = -1;
    for (const char* p = m_pstr; *p != '\0'; p = UICharNext(p)) {
        if (*p == ch && UICharSize(p) == 1) {
            found = static_cast<int>(p - m_pstr);
        }
    }
    return found;
}

int CUIString::Replace(const char* from, const char* to) {
    if (from == nullptr || *from == '\0') {
        return 0;
    }
    const int fromLength = static_cast<int>(std::strlen(from));
    CUIString result;
    int count = 0;
    int done = 0;
    for (int at = Find(from, 0); at >= 0; at = Find(from, done)) {
        result.Append(m_pstr + done, at - done);
        result.Append(to);
        done = at + fromLength;
        ++count;
    }
    if (count > 0) {
        result.Append(m_pstr + done, m_nLength - done);
        *this = std::move(result);
    }
    return count;
}

CUIString CUIString::Left(int count) const { return Mid(0, count); }

CUIString CUIString::Mid(int start, int count) const {
    if (start < 0) {
        start = 0;
    }
    if (start > m_nLength) {
        start = m_nLength;
    }
    if (count < 0 || count > m_nLength - start) {
        count = m_nLength - start;
    }
    return CUIString(m_pstr + start, count);
}

CUIString CUIString::Right(int count) const {
    if (count < 0) {
        count = 0;
    }
    return count >= m_nLength ? *this : Mid(m_nLength - count, count);
}

void CUIString::MakeUpper() {
    for (char* p = m_pstr; *p != '\0'; p = const_cast<char*>(UICharNext(p))) {
        *p = platform::ToUpperAscii(*p);
    }
}

void CUIString::MakeLower() {
    for (char* p = m_pstr; *p != '\0'; p = const_cast<char*>(UICharNext(p))) {
        if (*p >= 'A' && *p <= 'Z') {
            *p = static_cast<char>(*p - 'A' + 'a');
        }
    }
}

CUIString operator+(const CUIString& a, const CUIString& b) {
    CUIString result(a);
    result += b;
    return result;
}

CUIString operator+(const CUIString& a, const char* b) {
    CUIString result(a);
    result += b;
    return result;
}

CUIString operator+(const char* a, const CUIString& b) {
    CUIString result(a);
    result += b;
    return result;
}

}  // namespace Vellum
