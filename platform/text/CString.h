// The framework's string class as a multibyte build sees it: GBK bytes, int lengths and indices,
// clamped ranges, and searches that respect two-byte characters. Sharing of the buffer between
// copies is not observable, so a plain std::string holds the text.
#pragma once

#include <compare>
#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

// Conversions from text and to const char* are implicit, as in the framework.
class CString {
public:
    CString() = default;
    CString(const char* text);  // nullptr gives "".
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(std::string_view text);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Unsigned byte order, as `_mbscmp`.
    friend bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) {
        return a.Compare(b) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& a, const char* b) {
        return a.Compare(b) <=> 0;
    }

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    // Outside the text GetAt gives '\0' and SetAt does nothing, where the framework would assert.
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char ch);
    operator const char*() const { return text_.c_str(); }
    std::string_view view() const { return text_; }
    const std::string& str() const { return text_; }

    // Like the C string functions underneath the framework's comparisons, these stop at a NUL;
    // a null pointer reads as "".
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;
    int Collate(const char* other) const;
    int CollateNoCase(const char* other) const;

    // A negative start or count counts as 0; a range beyond the end stops at the end.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    // Byte index of the match, or -1; a start outside 0..GetLength() gives -1.
    int Find(char ch) const { return Find(ch, 0); }
    int Find(const char* text) const { return Find(text, 0); }
    int Find(char ch, int start) const;
    int Find(const char* text, int start) const;
    int ReverseFind(char ch) const;
    // First character (one or two bytes) that also occurs in `characters`.
    int FindOneOf(const char* characters) const;

    // Both return the number of replacements. Like the framework, replacing a character by
    // itself counts none, and an empty `oldText` replaces nothing.
    int Replace(char oldChar, char newChar);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    // The index is clamped to 0..GetLength(); the result is the new length.
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // White space is space, \t, \n, \v, \f and \r; the second byte of a two-byte character is
    // never trimmed. A set of characters may hold two-byte characters, which match whole.
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(const char* targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(const char* targets);
    CString& Trim();
    CString& Trim(char target);
    CString& Trim(const char* targets);

    // The leading run of characters that are (or are not) in `characters`.
    CString SpanIncluding(const char* characters) const;
    CString SpanExcluding(const char* characters) const;

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list arguments) __attribute__((format(printf, 2, 0)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The buffer holds the text and has room for at least minLength bytes plus a NUL. Until
    // ReleaseBuffer, GetLength counts the whole buffer, not the bytes the caller wrote.
    char* GetBuffer(int minLength);
    char* GetBufferSetLength(int length);
    // -1 takes the text up to the first NUL in the buffer; other lengths are clamped to it.
    void ReleaseBuffer(int newLength = -1);

    // Takes the string of the program's string table; FALSE, and the text unchanged, when there
    // is none. Defined with the resource runtime (platform/resources), which programs link.
    BOOL LoadString(UINT id);

private:
    std::string text_;
};
