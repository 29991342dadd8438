// The text of a script variable. A page walk cuts one element after another off the front of a
// page held in a variable, so dropping the front only moves a start offset; the bytes are moved
// down once the dropped part outweighs what is left, which keeps a whole walk linear in the size
// of the page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class ScriptText {
public:
    std::string_view view() const { return std::string_view(text_).substr(start_); }
    size_t size() const { return text_.size() - start_; }
    // The text up to its first NUL byte.
    const char* c_str() const { return text_.c_str() + start_; }
    bool empty() const { return size() == 0; }

    // `text` may point into this text.
    void assign(std::string_view text) {
        std::string copy(text);
        assign(std::move(copy));
    }
    void assign(std::string&& text) {
        text_ = std::move(text);
        start_ = 0;
    }
    void clear() { assign(std::string()); }

    void DropFront(size_t count) {
        start_ += count < size() ? count : size();
        if (start_ > text_.size() / 2) {
            text_.erase(0, start_);
            start_ = 0;
        }
    }

private:
    std::string text_;
    size_t start_ = 0;
};
