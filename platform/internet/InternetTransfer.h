// One address opened for reading: the handle behind InternetOpenUrlA, InternetReadFile and
// HttpQueryInfoA. libcurl does the protocol work (redirects, chunked bodies, HTTPS, proxies); this
// class turns its push of received data into the pull the original functions offer, writing
// straight into the caller's buffer where it can.
#pragma once

#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"
#include "platform/internet/HttpResponseHeaders.h"
#include "platform/internet/InternetSettings.h"

namespace platform {

struct TransferRequest {
    std::string url;
    // Extra request header lines, separated by CR LF.
    std::string extraHeaders;
    bool followRedirects = true;
    bool keepCookies = true;
    bool pragmaNoCache = false;
    bool checkCertificateName = true;
};

class InternetTransfer : public KernelObject {
public:
    // At most this many redirects are followed; one more fails the open.
    static constexpr long kMaxRedirects = 10;

    ~InternetTransfer() override;

    // Sends the request and waits for the headers of the final response (after the redirects it
    // follows), whatever its status. Null with the original's error number in `error` when the
    // address is not valid, its name does not resolve, no connection is made or no response
    // arrives in time. Opening and reading give up within a fraction of a second once the calling
    // thread is asked to stop (platform::RequestStop), with ERROR_INTERNET_OPERATION_CANCELLED.
    static std::shared_ptr<InternetTransfer> Open(const TransferRequest& request,
                                                  const InternetSettings& settings, DWORD& error);

    // Fills `buffer` with the next bytes of the body, waiting until it is full or the body ends.
    // True with `read` < `size` at the end (0 once everything was read); false with the error
    // number when the transfer failed and every byte received before the failure was read.
    bool Read(void* buffer, DWORD size, DWORD& read, DWORD& error);

    const HttpResponseHeaders& Headers() const { return headers_; }
    void SetReceiveTimeout(DWORD milliseconds);

private:
    InternetTransfer() = default;

    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
    static int OnConnected(void* self, char*, char*, int, int);
    static int OnProgress(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    void Configure(const TransferRequest& request, const InternetSettings& settings);
    // Lets libcurl work until `enough` says so, the transfer ends, the response stalls for longer
    // than the receive time-out or the calling thread is asked to stop.
    template <typename Enough>
    void Drive(Enough enough);
    void Finish(DWORD error);

    std::mutex mutex_;
    CURL* easy_ = nullptr;
    CURLM* multi_ = nullptr;
    curl_slist* requestHeaders_ = nullptr;
    bool followRedirects_ = true;
    HttpResponseHeaders headers_;
    std::string location_;
    bool headersComplete_ = false;
    bool done_ = false;
    DWORD error_ = ERROR_SUCCESS;
    // The stall watch runs from the moment a request is about to go out.
    bool requestSent_ = false;
    std::chrono::steady_clock::time_point lastActivity_;
    std::chrono::milliseconds receiveTimeout_{30000};
    // Where OnBody copies to during a Read, and what did not fit there.
    char* target_ = nullptr;
    std::size_t targetLeft_ = 0;
    std::vector<char> pending_;
    std::size_t pendingStart_ = 0;
};

}  // namespace platform
