// The compiler's smart interface pointer: holds one reference and releases it when it goes.
// Assigning a pointer of another interface (or a VARIANT holding an object) asks that object for
// this interface. Misuse that the original reports by throwing (-> on null, AddRef or Release on
// null) throws _com_error(E_POINTER) here too.
//
//   _COM_SMARTPTR_TYPEDEF(IHTMLDocument2, IID_IHTMLDocument2);  // declares IHTMLDocument2Ptr
#pragma once

#include <memory>

#include <utility>

#include "platform/com/ComError.h"
#include "platform/com/ComRuntime.h"
#include "platform/com/Dispatch.h"
#include "platform/com/VariantT.h"

template <typename Interface, const IID& kInterfaceId = Interface::kIid>
class _com_ptr_t {
public:
    _com_ptr_t() noexcept = default;
    _com_ptr_t(Interface* pointer) noexcept : pointer_(pointer) { AddRefIfSet(); }
    _com_ptr_t(Interface* pointer, bool addRef) noexcept : pointer_(pointer) {
        if (addRef) {
            AddRefIfSet();
        }
    }
    _com_ptr_t(const _com_ptr_t& other) noexcept : pointer_(other.pointer_) { AddRefIfSet(); }
    _com_ptr_t(_com_ptr_t&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    // Another interface of the same object, or null when it does not offer this one.
    template <typename Other>
    _com_ptr_t(Other* other) {
        QueryFrom(other);
    }
    template <typename OtherInterface, const IID& kOtherId>
    _com_ptr_t(const _com_ptr_t<OtherInterface, kOtherId>& other) {
        QueryFrom(other.GetInterfacePtr());
    }
    // The object a VT_UNKNOWN or VT_DISPATCH value holds (read through VT_BYREF); null for an
    // empty value; _com_error(DISP_E_TYPEMISMATCH) for any other.
    _com_ptr_t(const _variant_t& value) { QueryFromVariant(value); }
    // Creates an object of the class; throws _com_error when that fails for any reason but a
    // missing interface.
    explicit _com_ptr_t(REFCLSID clsid, IUnknown* outer = nullptr, DWORD context = CLSCTX_ALL) {
        HRESULT result = CreateInstance(clsid, outer, context);
        if (FAILED(result) && result != E_NOINTERFACE) {
            _com_issue_error(result);
        }
    }
    ~_com_ptr_t() { ReleaseIfSet(); }

    _com_ptr_t& operator=(const _com_ptr_t& other) noexcept { return *this = other.pointer_; }
    _com_ptr_t& operator=(_com_ptr_t&& other) noexcept {
        // operator& is overloaded to hand out the pointer's address, as the original does.
        if (this != std::addressof(other)) {
            ReleaseIfSet();
            pointer_ = other.pointer_;
            other.pointer_ = nullptr;
        }
        return *this;
    }
    _com_ptr_t& operator=(Interface* pointer) noexcept {
        if (pointer != nullptr) {
            pointer->AddRef();
        }
        ReleaseIfSet();
        pointer_ = pointer;
        return *this;
    }
    template <typename Other>
    _com_ptr_t& operator=(Other* other) {
        _com_ptr_t queried(other);
        return *this = std::move(queried);
    }
    _com_ptr_t& operator=(const _variant_t& value) {
        _com_ptr_t queried(value);
        return *this = std::move(queried);
    }

    // Releases the held object and creates a new one; the result of the creation.
    HRESULT CreateInstance(REFCLSID clsid, IUnknown* outer = nullptr,
                           DWORD context = CLSCTX_ALL) noexcept {
        ReleaseIfSet();
        return CoCreateInstance(clsid, outer, context, kInterfaceId,
                                reinterpret_cast<void**>(&pointer_));
    }
    // A class given by its braced text form.
    HRESULT CreateInstance(LPCOLESTR clsid, IUnknown* outer = nullptr,
                           DWORD context = CLSCTX_ALL) noexcept {
        CLSID parsed;
        HRESULT result = CLSIDFromString(clsid, &parsed);
        if (FAILED(result)) {
            ReleaseIfSet();
            return result;
        }
        return CreateInstance(parsed, outer, context);
    }

    template <typename Other>
    HRESULT QueryInterface(REFIID iid, Other*& object) const noexcept {
        if (pointer_ == nullptr) {
            return E_POINTER;
        }
        return pointer_->QueryInterface(iid, reinterpret_cast<void**>(&object));
    }
    template <typename Other>
    HRESULT QueryInterface(REFIID iid, Other** object) const noexcept {
        if (object == nullptr || pointer_ == nullptr) {
            return E_POINTER;
        }
        return pointer_->QueryInterface(iid, reinterpret_cast<void**>(object));
    }

    // Takes the pointer over without adding a reference.
    void Attach(Interface* pointer) noexcept {
        ReleaseIfSet();
        pointer_ = pointer;
    }
    void Attach(Interface* pointer, bool addRef) noexcept {
        if (addRef && pointer != nullptr) {
            pointer->AddRef();
        }
        Attach(pointer);
    }
    // Hands the reference over to the caller.
    Interface* Detach() noexcept {
        Interface* pointer = pointer_;
        pointer_ = nullptr;
        return pointer;
    }
    void AddRef() {
        if (pointer_ == nullptr) {
            _com_issue_error(E_POINTER);
        }
        pointer_->AddRef();
    }
    void Release() {
        if (pointer_ == nullptr) {
            _com_issue_error(E_POINTER);
        }
        ReleaseIfSet();
    }

    Interface* GetInterfacePtr() const noexcept { return pointer_; }
    Interface*& GetInterfacePtr() noexcept { return pointer_; }
    operator Interface*() const noexcept { return pointer_; }
    operator bool() const noexcept { return pointer_ != nullptr; }
    Interface& operator*() const {
        if (pointer_ == nullptr) {
            _com_issue_error(E_POINTER);
        }
        return *pointer_;
    }
    Interface* operator->() const {
        if (pointer_ == nullptr) {
            _com_issue_error(E_POINTER);
        }
        return pointer_;
    }
    // Releases the held object and hands out the slot for an out-parameter to fill.
    Interface** operator&() noexcept {
        ReleaseIfSet();
        return &pointer_;
    }

    static const IID& GetIID() noexcept { return kInterfaceId; }

private:
    void AddRefIfSet() {
        if (pointer_ != nullptr) {
            pointer_->AddRef();
        }
    }
    void ReleaseIfSet() {
        if (pointer_ != nullptr) {
            Interface* pointer = pointer_;
            pointer_ = nullptr;
            pointer->Release();
        }
    }
    template <typename Other>
    void QueryFrom(Other* other) {
        if (other != nullptr &&
            FAILED(other->QueryInterface(kInterfaceId, reinterpret_cast<void**>(&pointer_)))) {
            pointer_ = nullptr;
        }
    }
    void QueryFromVariant(const VARIANT& value) {
        const VARIANT* held = &value;
        if (held->vt == (VT_BYREF | VT_VARIANT)) {
            held = held->pvarVal;
        }
        if (held == nullptr || held->vt == VT_EMPTY || held->vt == VT_NULL) {
            return;
        }
        if (held->vt == VT_UNKNOWN || held->vt == VT_DISPATCH) {
            QueryFrom(held->punkVal);
        } else if (held->vt == (VT_BYREF | VT_UNKNOWN) || held->vt == (VT_BYREF | VT_DISPATCH)) {
            QueryFrom(*held->ppunkVal);
        } else {
            _com_issue_error(DISP_E_TYPEMISMATCH);
        }
    }

    Interface* pointer_ = nullptr;
};

#define _COM_SMARTPTR_TYPEDEF(Interface, iid) using Interface##Ptr = _com_ptr_t<Interface, iid>

_COM_SMARTPTR_TYPEDEF(IUnknown, IID_IUnknown);
_COM_SMARTPTR_TYPEDEF(IDispatch, IID_IDispatch);
