// The compiler's string wrapper for BSTRs. Copies share one string (copying is cheap; a change
// makes a new one). It reads and gives GBK text through const char*, UTF-16 through
// const OLECHAR*. An empty wrapper (no string at all) gives null from both conversions.
#pragma once

#include <memory>
#include <string>

#include "platform/com/Bstr.h"

class _variant_t;

class _bstr_t {
public:
    _bstr_t() noexcept = default;
    _bstr_t(const _bstr_t& other) noexcept = default;
    _bstr_t(_bstr_t&& other) noexcept = default;
    _bstr_t(const char* text);
    _bstr_t(const OLECHAR* text);
    // The text of any value that converts to a string; throws _com_error otherwise.
    _bstr_t(const _variant_t& value);
    // With copy false the wrapper takes `text` over and frees it.
    _bstr_t(BSTR text, bool copy);
    ~_bstr_t() = default;

    _bstr_t& operator=(const _bstr_t& other) noexcept = default;
    _bstr_t& operator=(_bstr_t&& other) noexcept = default;
    _bstr_t& operator=(const char* text);
    _bstr_t& operator=(const OLECHAR* text);
    _bstr_t& operator=(const _variant_t& value);

    _bstr_t& operator+=(const _bstr_t& other);
    _bstr_t operator+(const _bstr_t& other) const;
    friend _bstr_t operator+(const char* a, const _bstr_t& b);
    friend _bstr_t operator+(const OLECHAR* a, const _bstr_t& b);

    operator const OLECHAR*() const noexcept;
    operator OLECHAR*() const noexcept;
    operator const char*() const;
    operator char*() const;

    // True for no string and for an empty one.
    bool operator!() const noexcept { return length() == 0; }

    // Compare the UTF-16 texts; no string equals the empty string.
    int Compare(const _bstr_t& other) const noexcept;
    friend bool operator==(const _bstr_t& a, const _bstr_t& b) { return a.Compare(b) == 0; }
    friend bool operator==(const _bstr_t& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const _bstr_t& a, const OLECHAR* b) { return a.Compare(b) == 0; }
    friend bool operator<(const _bstr_t& a, const _bstr_t& b) { return a.Compare(b) < 0; }

    // Characters, not counting the terminating NUL.
    unsigned int length() const noexcept;
    // A new BSTR that the caller frees (with copy false, the wrapper's own, which it keeps).
    BSTR copy(bool copy = true) const;

    // The wrapper's own BSTR, for reading.
    BSTR GetBSTR() const noexcept;
    // Frees the string and hands out the slot for an out-parameter to fill.
    BSTR* GetAddress();
    // Takes `text` over.
    void Attach(BSTR text);
    // Hands the string over to the caller, leaving the wrapper empty.
    BSTR Detach();
    void Assign(BSTR text);

private:
    struct Data {
        explicit Data(BSTR owned) : wide(owned) {}
        ~Data() { SysFreeString(wide); }
        Data(const Data&) = delete;
        Data& operator=(const Data&) = delete;

        BSTR wide;
        std::unique_ptr<std::string> narrow;
    };

    explicit _bstr_t(std::shared_ptr<Data> data) : data_(std::move(data)) {}
    static std::shared_ptr<Data> Own(BSTR text);

    std::shared_ptr<Data> data_;
};
