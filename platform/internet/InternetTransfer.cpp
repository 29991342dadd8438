#include "platform/internet/InternetTransfer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/internet/WinInet.h"
#include "platform/threads/ThreadApi.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr long kReceiveBufferBytes = 128 * 1024;
// The longest wait for network activity between two looks at the thread's stop request.
constexpr std::chrono::milliseconds kStopPollInterval{50};

void InitializeLibraryOnce() {
    static const bool initialized = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)initialized;
}

// Servers expect an address of printable ASCII; the programs' addresses may carry GBK text and
// spaces (search words), which go out percent-encoded. Both bytes of a GBK character are encoded,
// also a second byte that looks like ASCII ('@', '\\', '|'), so that it cannot be read as part of
// the address's structure.
std::string EscapeForRequest(std::string_view url) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(url.size());
    auto encode = [&](unsigned char byte) {
        escaped += '%';
        escaped += kHex[byte >> 4];
        escaped += kHex[byte & 0x0F];
    };
    for (std::size_t at = 0; at < url.size(); ++at) {
        auto byte = static_cast<unsigned char>(url[at]);
        if (byte <= 0x20 || byte >= 0x7F) {
            encode(byte);
            if (byte >= 0x81 && byte <= 0xFE && at + 1 < url.size()) {
                auto next = static_cast<unsigned char>(url[at + 1]);
                if (next >= 0x40 && next <= 0xFE && next != 0x7F) {
                    encode(next);
                    ++at;
                }
            }
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}

// The environment's no_proxy list with the loopback names added: like the original's
// preconfigured settings, local servers are always reached directly.
std::string PreconfiguredBypass() {
    std::string bypass = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            bypass += ',';
            bypass += value;
            break;
        }
    }
    return bypass;
}

bool HasWebScheme(std::string_view url) {
    std::size_t end = url.find("://");
    if (end == std::string_view::npos) {
        return false;
    }
    std::string scheme(url.substr(0, end));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return scheme == "http" || scheme == "https";
}

DWORD ErrorOf(CURLcode code) {
    switch (code) {
        case CURLE_OK:
            return ERROR_SUCCESS;
        case CURLE_UNSUPPORTED_PROTOCOL:
            return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
        case CURLE_URL_MALFORMAT:
            return ERROR_INTERNET_INVALID_URL;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            return ERROR_INTERNET_NAME_NOT_RESOLVED;
        case CURLE_COULDNT_CONNECT:
            return ERROR_INTERNET_CANNOT_CONNECT;
        case CURLE_OPERATION_TIMEDOUT:
            return ERROR_INTERNET_TIMEOUT;
        case CURLE_GOT_NOTHING:
        case CURLE_WEIRD_SERVER_REPLY:
            return ERROR_HTTP_INVALID_SERVER_RESPONSE;
        case CURLE_PARTIAL_FILE:
            return ERROR_INTERNET_CONNECTION_ABORTED;
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
            return ERROR_INTERNET_CONNECTION_RESET;
        case CURLE_TOO_MANY_REDIRECTS:
            return ERROR_HTTP_REDIRECT_FAILED;
        case CURLE_PEER_FAILED_VERIFICATION:
            return ERROR_INTERNET_INVALID_CA;
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
            return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
        case CURLE_OUT_OF_MEMORY:
            return ERROR_NOT_ENOUGH_MEMORY;
        case CURLE_ABORTED_BY_CALLBACK:
            return ERROR_INTERNET_OPERATION_CANCELLED;
        default:
            return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

}  // namespace

InternetTransfer::~InternetTransfer() {
    if (multi_ != nullptr && easy_ != nullptr && !done_) {
        curl_multi_remove_handle(multi_, easy_);
    }
    if (easy_ != nullptr) {
        curl_easy_cleanup(easy_);
    }
    if (multi_ != nullptr) {
        curl_multi_cleanup(multi_);
    }
    curl_slist_free_all(requestHeaders_);
}

std::shared_ptr<InternetTransfer> InternetTransfer::Open(const TransferRequest& request,
                                                         const InternetSettings& settings,
                                                         DWORD& error) {
    if (!HasWebScheme(request.url)) {
        error = ERROR_INTERNET_UNRECOGNIZED_SCHEME;
        return nullptr;
    }
    InitializeLibraryOnce();
    std::shared_ptr<InternetTransfer> transfer(new InternetTransfer);
    transfer->easy_ = curl_easy_init();
    transfer->multi_ = curl_multi_init();
    if (transfer->easy_ == nullptr || transfer->multi_ == nullptr) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    transfer->Configure(request, settings);
    if (curl_multi_add_handle(transfer->multi_, transfer->easy_) != CURLM_OK) {
        curl_easy_cleanup(transfer->easy_);
        transfer->easy_ = nullptr;
        error = ERROR_INTERNET_INTERNAL_ERROR;
        return nullptr;
    }
    std::lock_guard lock(transfer->mutex_);
    transfer->lastActivity_ = Clock::now();
    transfer->Drive([&] { return transfer->headersComplete_; });
    if (!transfer->headersComplete_) {
        error = transfer->error_ != ERROR_SUCCESS ? transfer->error_
                                                  : ERROR_HTTP_INVALID_SERVER_RESPONSE;
        return nullptr;
    }
    return transfer;
}

void InternetTransfer::Configure(const TransferRequest& request, const InternetSettings& settings) {
    followRedirects_ = request.followRedirects;
    receiveTimeout_ = std::chrono::milliseconds(settings.receiveTimeoutMs);
    std::string url = EscapeForRequest(request.url);
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, kMaxRedirects);
    // The original speaks HTTP/1.1, and its callers read "HTTP/1.1" status lines.
    curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(settings.connectTimeoutMs));
    curl_easy_setopt(easy_, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    if (!settings.agent.empty()) {
        curl_easy_setopt(easy_, CURLOPT_USERAGENT, settings.agent.c_str());
    }
    switch (settings.proxyChoice) {
        case ProxyChoice::Preconfigured:
            curl_easy_setopt(easy_, CURLOPT_NOPROXY, PreconfiguredBypass().c_str());
            break;
        case ProxyChoice::Direct:
            curl_easy_setopt(easy_, CURLOPT_PROXY, "");
            break;
        case ProxyChoice::Named:
            curl_easy_setopt(easy_, CURLOPT_PROXY, settings.proxy.c_str());
            curl_easy_setopt(easy_, CURLOPT_NOPROXY, settings.proxyBypass.c_str());
            break;
    }
    if (request.keepCookies) {
        curl_easy_setopt(easy_, CURLOPT_COOKIEFILE, "");
    }
    if (!request.checkCertificateName) {
        curl_easy_setopt(easy_, CURLOPT_SSL_VERIFYHOST, 0L);
    }
    std::string_view extra = request.extraHeaders;
    while (!extra.empty()) {
        std::size_t end = extra.find('\n');
        std::string line(extra.substr(0, end));
        extra = end == std::string_view::npos ? std::string_view() : extra.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            requestHeaders_ = curl_slist_append(requestHeaders_, line.c_str());
        }
    }
    if (request.pragmaNoCache) {
        requestHeaders_ = curl_slist_append(requestHeaders_, "Pragma: no-cache");
    }
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, requestHeaders_);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &InternetTransfer::OnHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &InternetTransfer::OnBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &InternetTransfer::OnConnected);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &InternetTransfer::OnProgress);
}

std::size_t InternetTransfer::OnHeader(char* data, std::size_t size, std::size_t count,
                                       void* self) {
    auto& transfer = *static_cast<InternetTransfer*>(self);
    std::size_t length = size * count;
    transfer.lastActivity_ = Clock::now();
    std::string_view line(data, length);
    if (transfer.headersComplete_) {
        // Trailers after a chunked body are not part of the response's headers.
        return length;
    }
    if (line != "\r\n" && line != "\n") {
        transfer.headers_.AddLine(line);
        return length;
    }
    int status = transfer.headers_.StatusCode();
    bool interim = status / 100 == 1;
    bool redirected = transfer.followRedirects_ && status / 100 == 3 &&
                      transfer.headers_.Find("Location", 0).has_value();
    if (redirected) {
        // The next request may need a new connection, which the connect time-out watches.
        transfer.requestSent_ = false;
    } else if (!interim) {
        transfer.headersComplete_ = true;
    }
    return length;
}

std::size_t InternetTransfer::OnBody(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<InternetTransfer*>(self);
    std::size_t length = size * count;
    transfer.lastActivity_ = Clock::now();
    if (!transfer.headersComplete_) {
        return length;
    }
    std::size_t direct = std::min(length, transfer.targetLeft_);
    if (direct > 0) {
        std::memcpy(transfer.target_, data, direct);
        transfer.target_ += direct;
        transfer.targetLeft_ -= direct;
    }
    transfer.pending_.insert(transfer.pending_.end(), data + direct, data + length);
    return length;
}

int InternetTransfer::OnConnected(void* self, char*, char*, int, int) {
    auto& transfer = *static_cast<InternetTransfer*>(self);
    transfer.requestSent_ = true;
    transfer.lastActivity_ = Clock::now();
    return CURL_PREREQFUNC_OK;
}

int InternetTransfer::OnProgress(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    // Non-zero aborts the transfer inside libcurl, also in the middle of a long burst of data.
    return platform::StopRequested() ? 1 : 0;
}

template <typename Enough>
void InternetTransfer::Drive(Enough enough) {
    while (!done_ && !enough()) {
        if (platform::StopRequested()) {
            Finish(ERROR_INTERNET_OPERATION_CANCELLED);
            return;
        }
        int running = 0;
        if (curl_multi_perform(multi_, &running) != CURLM_OK) {
            Finish(ERROR_INTERNET_INTERNAL_ERROR);
            return;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
            if (message->msg == CURLMSG_DONE && !done_) {
                Finish(ErrorOf(message->data.result));
            }
        }
        if (done_ || enough()) {
            return;
        }
        auto wait = std::chrono::milliseconds(kStopPollInterval);
        if (requestSent_ && receiveTimeout_.count() > 0) {
            auto idle = Clock::now() - lastActivity_;
            if (idle >= receiveTimeout_) {
                Finish(ERROR_INTERNET_TIMEOUT);
                return;
            }
            wait = std::min(wait,
                            std::chrono::ceil<std::chrono::milliseconds>(receiveTimeout_ - idle));
        }
        curl_multi_poll(multi_, nullptr, 0, static_cast<int>(wait.count()), nullptr);
    }
}

void InternetTransfer::Finish(DWORD error) {
    if (!done_) {
        // Taking the handle out ends an unfinished transfer and closes its connection.
        curl_multi_remove_handle(multi_, easy_);
    }
    done_ = true;
    error_ = error;
}

bool InternetTransfer::Read(void* buffer, DWORD size, DWORD& read, DWORD& error) {
    std::lock_guard lock(mutex_);
    char* out = static_cast<char*>(buffer);
    std::size_t take = std::min<std::size_t>(pending_.size() - pendingStart_, size);
    if (take > 0) {
        std::memcpy(out, pending_.data() + pendingStart_, take);
        pendingStart_ += take;
    }
    if (pendingStart_ == pending_.size()) {
        pending_.clear();
        pendingStart_ = 0;
    }
    std::size_t filled = take;
    if (filled < size && !done_) {
        target_ = out + filled;
        targetLeft_ = size - filled;
        lastActivity_ = Clock::now();
        Drive([&] { return targetLeft_ == 0; });
        filled = size - targetLeft_;
        target_ = nullptr;
        targetLeft_ = 0;
    }
    read = static_cast<DWORD>(filled);
    if (filled > 0 || error_ == ERROR_SUCCESS) {
        return true;
    }
    error = error_;
    return false;
}

void InternetTransfer::SetReceiveTimeout(DWORD milliseconds) {
    std::lock_guard lock(mutex_);
    receiveTimeout_ = std::chrono::milliseconds(milliseconds);
}

}  // namespace platform
