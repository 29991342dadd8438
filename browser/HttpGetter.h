// The browser's own HTTP download, without the web browser control: one fixed GET request over
// plain sockets, whose response body goes to a file. The update service fetches its page and the
// listed files with it, the page data extraction dialog a page's source.
#pragma once

#include "platform/base/WinTypes.h"

class CHttpGetter {
public:
    CHttpGetter() = default;
    virtual ~CHttpGetter() = default;

    // Fetches `url` (http) and writes what the server answers after its header block to `path`.
    // The request is HTTP/1.1 with "Connection: close"; its object is the address's path and
    // query with every byte of each query value (after an "=", up to the next "&") written as
    // "%XX". The status and headers of the response are not looked at, so an error page is
    // written like any other body, and the body ends when the server closes the connection (or a
    // receive waits 30 s). The body goes to a temporary file beside `path` that replaces it only
    // when the body is whole, so a failure leaves `path` as it was.
    // 0 written; 1 failure: the server's name does not resolve, no connection after two attempts,
    // the request could not be sent, the file cannot be written, or the thread was asked to stop.
    int DownloadToFile(LPCSTR url, LPCSTR path);
};
