#include "platform/com/ErrorInfo.h"

#include <string>

#include "platform/com/ComObject.h"
#include "platform/text/Encoding.h"

namespace {

// Released when the thread ends, so that information nobody fetched does not leak.
struct ThreadError {
    ~ThreadError() {
        if (info != nullptr) {
            info->Release();
        }
    }
    IErrorInfo* info = nullptr;
};

thread_local ThreadError threadError;

class ErrorRecord : public platform::ComObject<IErrorInfo> {
public:
    ErrorRecord(REFGUID interfaceId, std::u16string source, std::u16string description)
        : interfaceId_(interfaceId),
          source_(std::move(source)),
          description_(std::move(description)) {}

    HRESULT GetGUID(GUID* guid) override {
        if (guid == nullptr) {
            return E_INVALIDARG;
        }
        *guid = interfaceId_;
        return S_OK;
    }
    HRESULT GetSource(BSTR* source) override { return Copy(source_, source); }
    HRESULT GetDescription(BSTR* description) override { return Copy(description_, description); }
    HRESULT GetHelpFile(BSTR* helpFile) override { return Copy(u"", helpFile); }
    HRESULT GetHelpContext(DWORD* helpContext) override {
        if (helpContext == nullptr) {
            return E_INVALIDARG;
        }
        *helpContext = 0;
        return S_OK;
    }

private:
    static HRESULT Copy(std::u16string_view text, BSTR* out) {
        if (out == nullptr) {
            return E_INVALIDARG;
        }
        *out = platform::BstrFromUtf16(text);
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    GUID interfaceId_;
    std::u16string source_;
    std::u16string description_;
};

}  // namespace

HRESULT SetErrorInfo(ULONG /*reserved*/, IErrorInfo* info) {
    if (info != nullptr) {
        info->AddRef();
    }
    IErrorInfo* previous = threadError.info;
    threadError.info = info;
    if (previous != nullptr) {
        previous->Release();
    }
    return S_OK;
}

HRESULT GetErrorInfo(ULONG /*reserved*/, IErrorInfo** info) {
    if (info == nullptr) {
        return E_INVALIDARG;
    }
    *info = threadError.info;
    threadError.info = nullptr;
    return *info != nullptr ? S_OK : S_FALSE;
}

namespace platform {

IErrorInfo* CreateErrorInfo(REFGUID interfaceId, std::string_view source,
                            std::string_view description) {
    return new ErrorRecord(interfaceId, GbkToUtf16(source), GbkToUtf16(description));
}

}  // namespace platform
