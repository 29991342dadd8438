#include "picture/HttpGet.h"

#include <new>
#include <string>

#include "platform/threads/ThreadApi.h"

namespace {

constexpr DWORD kBlockSize = 6144;

}  // namespace

CHttpGet::CHttpGet() = default;

CHttpGet::~CHttpGet() {
    Close();
}

bool CHttpGet::OpenAddress(const char* address) {
    Close();
    m_hInternet = InternetOpenA("myhttpget", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (m_hInternet == nullptr) {
        return false;
    }
    m_hAddress = InternetOpenUrlA(m_hInternet, address, nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    return m_hAddress != nullptr;
}

int CHttpGet::FetchText(const char* address, CString& text) {
    text.Empty();
    if (!OpenAddress(address)) {
        return kFetchFailed;
    }
    std::string received;
    char block[kBlockSize];
    for (;;) {
        if (platform::StopRequested()) {
            break;
        }
        DWORD count = 0;
        if (!InternetReadFile(m_hAddress, block, sizeof block, &count)) {
            break;
        }
        if (count == 0) {
            Close();
            break;
        }
        if (received.size() + count > static_cast<size_t>(kMaxTextLength)) {
            Close();
            return kFetchFailed;
        }
        try {
            received.append(block, count);
        } catch (const std::bad_alloc&) {
            Close();
            return kFetchFailed;
        }
    }
    text = CString(std::string_view(received));
    return 0;
}

int CHttpGet::FetchToFile(const char* address, FILE* stream) {
    if (!OpenAddress(address)) {
        return kFetchFailed;
    }
    char block[kBlockSize];
    while (!platform::StopRequested()) {
        DWORD count = 0;
        if (!InternetReadFile(m_hAddress, block, sizeof block, &count)) {
            break;
        }
        if (count == 0) {
            Close();
            break;
        }
        std::fwrite(block, 1, count, stream);
    }
    return 0;
}

int CHttpGet::Close() {
    if (m_hAddress != nullptr) {
        InternetCloseHandle(m_hAddress);
        m_hAddress = nullptr;
    }
    if (m_hInternet != nullptr) {
        InternetCloseHandle(m_hInternet);
        m_hInternet = nullptr;
    }
    return 0;
}
