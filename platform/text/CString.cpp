#include "platform/text/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/text/Gbk.h"

namespace {

std::string_view TextOf(const char* text) {
    return text != nullptr ? std::string_view(text) : std::string_view();
}

std::string_view CharacterAt(std::string_view text, size_t offset) {
    return text.substr(offset, platform::CharLengthAt(text, offset));
}

bool IsWhiteSpace(std::string_view character) {
    if (character.size() != 1) {
        return false;
    }
    char c = character[0];
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Whether the character (one or two bytes) is one of the characters of `set`; a two-byte
// character never matches a single byte of the set.
bool SetContains(std::string_view set, std::string_view character) {
    for (size_t i = 0; i < set.size(); i += platform::CharLengthAt(set, i)) {
        if (CharacterAt(set, i) == character) {
            return true;
        }
    }
    return false;
}

// Length of the leading run of characters for which `matches` holds.
template <typename Predicate>
size_t LeadingRun(std::string_view text, Predicate matches) {
    size_t i = 0;
    while (i < text.size() && matches(CharacterAt(text, i))) {
        i += platform::CharLengthAt(text, i);
    }
    return i;
}

// Where the trailing run of characters for which `matches` holds begins. Walking forward is the
// only way to know which bytes are second bytes.
template <typename Predicate>
size_t TrailingRunStart(std::string_view text, Predicate matches) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); i += platform::CharLengthAt(text, i)) {
        if (!matches(CharacterAt(text, i))) {
            start = i + platform::CharLengthAt(text, i);
        }
    }
    return start;
}

size_t ClampedIndex(int index, size_t length) {
    return index < 0 ? 0 : std::min(static_cast<size_t>(index), length);
}

}  // namespace

CString::CString(const char* text) : text_(TextOf(text)) {}

CString::CString(const char* text, int length) {
    if (text != nullptr && length > 0) {
        text_.assign(text, static_cast<size_t>(length));
    }
}

CString::CString(char ch, int repeat) {
    if (repeat > 0) {
        text_.assign(static_cast<size_t>(repeat), ch);
    }
}

CString::CString(std::string_view text) : text_(text) {}

CString& CString::operator=(const char* text) {
    // The text may point into this string.
    text_ = std::string(TextOf(text));
    return *this;
}

CString& CString::operator=(char ch) {
    text_.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& text) {
    text_ += text.text_;
    return *this;
}

CString& CString::operator+=(const char* text) {
    text_ += TextOf(text);
    return *this;
}

CString& CString::operator+=(char ch) {
    text_ += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength()) {
        return '\0';
    }
    return text_[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch) {
    if (index >= 0 && index < GetLength()) {
        text_[static_cast<size_t>(index)] = ch;
    }
}

int CString::Compare(const char* other) const {
    return platform::CompareBytes(text_.c_str(), TextOf(other));
}

int CString::CompareNoCase(const char* other) const {
    return platform::CompareNoCase(text_.c_str(), TextOf(other));
}

int CString::Collate(const char* other) const {
    return Compare(other);
}

int CString::CollateNoCase(const char* other) const {
    return CompareNoCase(other);
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    size_t start = ClampedIndex(first, text_.size());
    size_t length = count < 0 ? 0 : static_cast<size_t>(count);
    return CString(std::string_view(text_).substr(start, length));
}

CString CString::Left(int count) const {
    return CString(std::string_view(text_).substr(0, ClampedIndex(count, text_.size())));
}

CString CString::Right(int count) const {
    size_t length = ClampedIndex(count, text_.size());
    return CString(std::string_view(text_).substr(text_.size() - length));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start > GetLength()) {
        return -1;
    }
    size_t found = platform::FindChar(text_, ch, static_cast<size_t>(start));
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

int CString::Find(const char* text, int start) const {
    if (start < 0 || start > GetLength()) {
        return -1;
    }
    size_t found = platform::FindText(text_, TextOf(text), static_cast<size_t>(start));
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

int CString::ReverseFind(char ch) const {
    size_t found = platform::FindLastChar(text_, ch);
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

int CString::FindOneOf(const char* characters) const {
    std::string_view set = TextOf(characters);
    size_t run = LeadingRun(text_, [set](std::string_view c) { return !SetContains(set, c); });
    return run == text_.size() ? -1 : static_cast<int>(run);
}

int CString::Replace(char oldChar, char newChar) {
    if (oldChar == newChar) {
        return 0;
    }
    int count = 0;
    for (size_t i = 0; i < text_.size(); i += platform::CharLengthAt(text_, i)) {
        if (text_[i] == oldChar && platform::CharLengthAt(text_, i) == 1) {
            text_[i] = newChar;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText) {
    std::string_view old_text = TextOf(oldText);
    if (old_text.empty()) {
        return 0;
    }
    std::string_view new_text = TextOf(newText);
    std::string result;
    int count = 0;
    size_t from = 0;
    for (;;) {
        size_t hit = platform::FindText(text_, old_text, from);
        if (hit == std::string_view::npos) {
            break;
        }
        result.append(text_, from, hit - from);
        result.append(new_text);
        from = hit + old_text.size();
        ++count;
    }
    if (count > 0) {
        result.append(text_, from);
        text_ = std::move(result);
    }
    return count;
}

int CString::Remove(char ch) {
    std::string result;
    result.reserve(text_.size());
    int count = 0;
    for (size_t i = 0; i < text_.size(); i += platform::CharLengthAt(text_, i)) {
        std::string_view character = CharacterAt(text_, i);
        if (character.size() == 1 && character[0] == ch) {
            ++count;
        } else {
            result.append(character);
        }
    }
    text_ = std::move(result);
    return count;
}

int CString::Insert(int index, char ch) {
    text_.insert(ClampedIndex(index, text_.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text) {
    // The text may point into this string.
    std::string inserted(TextOf(text));
    text_.insert(ClampedIndex(index, text_.size()), inserted);
    return GetLength();
}

int CString::Delete(int index, int count) {
    size_t start = ClampedIndex(index, text_.size());
    if (count > 0) {
        text_.erase(start, static_cast<size_t>(count));
    }
    return GetLength();
}

CString& CString::MakeUpper() {
    platform::ToUpperAscii(text_);
    return *this;
}

CString& CString::MakeLower() {
    platform::ToLowerAscii(text_);
    return *this;
}

CString& CString::MakeReverse() {
    std::string reversed(text_.size(), '\0');
    size_t end = text_.size();
    for (size_t i = 0; i < text_.size(); i += platform::CharLengthAt(text_, i)) {
        std::string_view character = CharacterAt(text_, i);
        end -= character.size();
        reversed.replace(end, character.size(), character);
    }
    text_ = std::move(reversed);
    return *this;
}

CString& CString::TrimLeft() {
    text_.erase(0, LeadingRun(text_, IsWhiteSpace));
    return *this;
}

CString& CString::TrimLeft(char target) {
    return TrimLeft(std::string(1, target).c_str());
}

CString& CString::TrimLeft(const char* targets) {
    std::string_view set = TextOf(targets);
    text_.erase(0, LeadingRun(text_, [set](std::string_view c) { return SetContains(set, c); }));
    return *this;
}

CString& CString::TrimRight() {
    text_.erase(TrailingRunStart(text_, IsWhiteSpace));
    return *this;
}

CString& CString::TrimRight(char target) {
    return TrimRight(std::string(1, target).c_str());
}

CString& CString::TrimRight(const char* targets) {
    std::string_view set = TextOf(targets);
    text_.erase(TrailingRunStart(text_, [set](std::string_view c) { return SetContains(set, c); }));
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char target) {
    return TrimRight(target).TrimLeft(target);
}

CString& CString::Trim(const char* targets) {
    return TrimRight(targets).TrimLeft(targets);
}

CString CString::SpanIncluding(const char* characters) const {
    std::string_view set = TextOf(characters);
    return Left(static_cast<int>(
        LeadingRun(text_, [set](std::string_view c) { return SetContains(set, c); })));
}

CString CString::SpanExcluding(const char* characters) const {
    std::string_view set = TextOf(characters);
    return Left(static_cast<int>(
        LeadingRun(text_, [set](std::string_view c) { return !SetContains(set, c); })));
}

void CString::Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    FormatV(format, arguments);
    va_end(arguments);
}

void CString::FormatV(const char* format, va_list arguments) {
    // Format into a separate string: the arguments may point into this one.
    std::string result;
    va_list measuring;
    va_copy(measuring, arguments);
    int length = format != nullptr ? std::vsnprintf(nullptr, 0, format, measuring) : -1;
    va_end(measuring);
    if (length > 0) {
        result.resize(static_cast<size_t>(length));
        std::vsnprintf(result.data(), result.size() + 1, format, arguments);
    }
    text_ = std::move(result);
}

void CString::AppendFormat(const char* format, ...) {
    CString appended;
    va_list arguments;
    va_start(arguments, format);
    appended.FormatV(format, arguments);
    va_end(arguments);
    text_ += appended.text_;
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) {
        text_.resize(static_cast<size_t>(minLength));
    }
    return text_.data();
}

char* CString::GetBufferSetLength(int length) {
    text_.resize(length < 0 ? 0 : static_cast<size_t>(length));
    return text_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        text_.resize(std::strlen(text_.c_str()));
    } else {
        text_.resize(std::min(static_cast<size_t>(newLength), text_.size()));
    }
}
