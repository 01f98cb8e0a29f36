// CUIString: the framework's own 8-bit text (code page 936), used for control
// names and texts, image descriptors and notification types.
//
// A text shorter than 63 bytes lives in a 64-byte buffer inside the object; a
// longer one on the heap. The text is always NUL-terminated; it holds no NUL of
// its own (assigning a buffer with a NUL keeps what comes before it).
//
// Positions and lengths count bytes. Searching and comparing step over
// double-byte characters as units, so a trail byte that happens to equal an
// ASCII character ("\\", "_", letters) is never found or compared on its own.
#pragma once

#include <cstddef>
#include <string>

namespace Vellum {

class CUIString {
public:
    // Size of the inline buffer; texts of up to kInlineSize - 2 bytes stay there.
    static constexpr int kInlineSize = 64;

    CUIString();
    CUIString(const char* text, int length = -1);  // NOLINT: converts like a text
    explicit CUIString(char ch);
    explicit CUIString(const std::string& text);
    CUIString(const CUIString& other);
    CUIString(CUIString&& other) noexcept;
    ~CUIString();

    CUIString& operator=(const CUIString& other);
    CUIString& operator=(CUIString&& other) noexcept;
    CUIString& operator=(const char* text);
    CUIString& operator=(char ch);

    // Replaces the text by the first `length` bytes of `text` (all of it when
    // `length` is negative), stopping early at a NUL. A null `text` is empty.
    void Assign(const char* text, int length = -1);
    // Appends the same way.
    void Append(const char* text, int length = -1);
    void Empty();

    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    // Whether the text is held in the inline buffer (it then costs no allocation).
    bool IsInline() const { return m_pstr == m_szBuffer; }
    const char* GetData() const { return m_pstr; }
    operator const char*() const { return m_pstr; }  // NOLINT: used where a C text is wanted
    std::string ToStdString() const { return std::string(m_pstr, static_cast<size_t>(m_nLength)); }

    // The byte at `index`; NUL outside the text.
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }
    // Overwrites the byte at `index`; ignored outside the text or for a NUL.
    void SetAt(int index, char ch);

    CUIString& operator+=(const CUIString& other);
    CUIString& operator+=(const char* text);
    CUIString& operator+=(char ch);

    // Case-sensitive comparison character by character: a double-byte character
    // counts as the 16-bit value lead * 256 + trail. Negative, 0 or positive.
    int Compare(const char* text) const;
    // The same with ASCII letters folded to lower case (double-byte characters
    // are never folded).
    int CompareNoCase(const char* text) const;

    // Byte position of the first character equal to `ch` (or of the first
    // occurrence of `sub`) that starts at a character boundary at or after
    // `start`; -1 when there is none. An empty `sub` is found at `start`.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    // Byte position of the last character equal to `ch`; -1 when there is none.
    int ReverseFind(char ch) const;

    // Replaces every non-overlapping occurrence of `from` (found as by Find, left
    // to right) by `to`; returns how many were replaced. An empty `from` replaces
    // nothing.
    int Replace(const char* from, const char* to);

    // Byte substrings, clamped to the text: the first `count` bytes, `count` bytes
    // from `start` (the rest when `count` is negative), the last `count` bytes.
    CUIString Left(int count) const;
    CUIString Mid(int start, int count = -1) const;
    CUIString Right(int count) const;

    // ASCII letters only; the bytes of double-byte characters stay as they are.
    void MakeUpper();
    void MakeLower();

    // printf-style formatting into this text, of any length; returns the new
    // length, or -1 (leaving the text empty) when the format is invalid.
    int Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    // Allocates the heap blocks of long texts (std::malloc unless replaced);
    // a null result is thrown as std::bad_alloc. Replaceable so that a test can
    // make text storage fail without exhausting memory; returns the previous
    // function. Set it only while no other thread builds texts.
    using BlockAllocator = void* (*)(size_t);
    static BlockAllocator SetBlockAllocator(BlockAllocator allocate);

private:
    // Makes room for `length` bytes plus the NUL, keeping the present text.
    void Reserve(int length);
    void SetLength(int length);
    void FreeHeap();

    char* m_pstr;
    int m_nLength = 0;
    int m_nCapacity = kInlineSize;  // bytes usable at m_pstr, the NUL included
    char m_szBuffer[kInlineSize];
};

CUIString operator+(const CUIString& a, const CUIString& b);
CUIString operator+(const CUIString& a, const char* b);
CUIString operator+(const char* a, const CUIString& b);

inline bool operator==(const CUIString& a, const CUIString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CUIString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CUIString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CUIString& a, const CUIString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CUIString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator!=(const char* a, const CUIString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CUIString& a, const CUIString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CUIString& a, const char* b) { return a.Compare(b) < 0; }
inline bool operator<(const char* a, const CUIString& b) { return b.Compare(a) > 0; }

// Compares two NUL-terminated code page 936 texts as CUIString::Compare does.
int CompareUIText(const char* a, const char* b);

}  // namespace Vellum
