// The original platform's internet-fetch functions for HTTP and HTTPS addresses: open a session,
// open an address, read its body, ask for its status and headers, close.
//
// Like the original, an address opens whatever status the server answers with (an error page is
// content), redirects are followed, chunked bodies arrive decoded and nothing is taken from a
// cache (none is kept, so INTERNET_FLAG_RELOAD is what always happens). Calls block; the
// asynchronous mode is not offered. Handles are numbers from the kernel handle table, so a stale
// handle is refused. On a thread that another thread asks to stop (platform::RequestStop),
// InternetOpenUrlA and InternetReadFile give up within a fraction of a second with
// ERROR_INTERNET_OPERATION_CANCELLED.
#pragma once

#include "platform/base/WinTypes.h"

using HINTERNET = void*;
using LPHINTERNET = HINTERNET*;
using INTERNET_PORT = WORD;

#define INTERNET_OPEN_TYPE_PRECONFIG 0
#define INTERNET_OPEN_TYPE_DIRECT 1
#define INTERNET_OPEN_TYPE_PROXY 3
#define INTERNET_OPEN_TYPE_PRECONFIG_WITH_NO_AUTOPROXY 4

#define INTERNET_FLAG_RELOAD 0x80000000u
#define INTERNET_FLAG_RAW_DATA 0x40000000u
#define INTERNET_FLAG_EXISTING_CONNECT 0x20000000u
#define INTERNET_FLAG_ASYNC 0x10000000u
#define INTERNET_FLAG_PASSIVE 0x08000000u
#define INTERNET_FLAG_NO_CACHE_WRITE 0x04000000u
#define INTERNET_FLAG_DONT_CACHE INTERNET_FLAG_NO_CACHE_WRITE
#define INTERNET_FLAG_MAKE_PERSISTENT 0x02000000u
#define INTERNET_FLAG_FROM_CACHE 0x01000000u
#define INTERNET_FLAG_OFFLINE INTERNET_FLAG_FROM_CACHE
#define INTERNET_FLAG_SECURE 0x00800000u
#define INTERNET_FLAG_KEEP_CONNECTION 0x00400000u
#define INTERNET_FLAG_NO_AUTO_REDIRECT 0x00200000u
#define INTERNET_FLAG_READ_PREFETCH 0x00100000u
#define INTERNET_FLAG_NO_COOKIES 0x00080000u
#define INTERNET_FLAG_NO_AUTH 0x00040000u
#define INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP 0x00008000u
#define INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS 0x00004000u
#define INTERNET_FLAG_IGNORE_CERT_DATE_INVALID 0x00002000u
#define INTERNET_FLAG_IGNORE_CERT_CN_INVALID 0x00001000u
#define INTERNET_FLAG_RESYNCHRONIZE 0x00000800u
#define INTERNET_FLAG_HYPERLINK 0x00000400u
#define INTERNET_FLAG_NO_UI 0x00000200u
#define INTERNET_FLAG_PRAGMA_NOCACHE 0x00000100u
#define INTERNET_FLAG_CACHE_ASYNC 0x00000080u
#define INTERNET_FLAG_FORMS_SUBMIT 0x00000040u
#define INTERNET_FLAG_NEED_FILE 0x00000010u

#define INTERNET_OPTION_CONNECT_TIMEOUT 2
#define INTERNET_OPTION_RECEIVE_TIMEOUT 6

#define HTTP_QUERY_CONTENT_TYPE 1
#define HTTP_QUERY_CONTENT_LENGTH 5
#define HTTP_QUERY_DATE 9
#define HTTP_QUERY_EXPIRES 10
#define HTTP_QUERY_LAST_MODIFIED 11
#define HTTP_QUERY_PRAGMA 17
#define HTTP_QUERY_VERSION 18
#define HTTP_QUERY_STATUS_CODE 19
#define HTTP_QUERY_STATUS_TEXT 20
#define HTTP_QUERY_RAW_HEADERS 21
#define HTTP_QUERY_RAW_HEADERS_CRLF 22
#define HTTP_QUERY_CONNECTION 23
#define HTTP_QUERY_CONTENT_ENCODING 29
#define HTTP_QUERY_LOCATION 33
#define HTTP_QUERY_SERVER 37
#define HTTP_QUERY_ACCEPT_RANGES 42
#define HTTP_QUERY_SET_COOKIE 43
#define HTTP_QUERY_CUSTOM 65535
#define HTTP_QUERY_FLAG_REQUEST_HEADERS 0x80000000u
#define HTTP_QUERY_FLAG_SYSTEMTIME 0x40000000u
#define HTTP_QUERY_FLAG_NUMBER 0x20000000u
#define HTTP_QUERY_FLAG_COALESCE 0x10000000u
#define HTTP_QUERY_MODIFIER_FLAGS_MASK 0xF0000000u
#define HTTP_QUERY_HEADER_MASK 0x0000FFFFu

#define ERROR_INTERNET_TIMEOUT 12002L
#define ERROR_INTERNET_INTERNAL_ERROR 12004L
#define ERROR_INTERNET_INVALID_URL 12005L
#define ERROR_INTERNET_UNRECOGNIZED_SCHEME 12006L
#define ERROR_INTERNET_NAME_NOT_RESOLVED 12007L
#define ERROR_INTERNET_INVALID_OPTION 12009L
#define ERROR_INTERNET_BAD_OPTION_LENGTH 12010L
#define ERROR_INTERNET_OPERATION_CANCELLED 12017L
#define ERROR_INTERNET_INCORRECT_HANDLE_TYPE 12018L
#define ERROR_INTERNET_CANNOT_CONNECT 12029L
#define ERROR_INTERNET_CONNECTION_ABORTED 12030L
#define ERROR_INTERNET_CONNECTION_RESET 12031L
#define ERROR_INTERNET_INVALID_CA 12045L
#define ERROR_HTTP_HEADER_NOT_FOUND 12150L
#define ERROR_HTTP_INVALID_SERVER_RESPONSE 12152L
#define ERROR_HTTP_INVALID_QUERY_REQUEST 12154L
#define ERROR_HTTP_REDIRECT_FAILED 12156L
#define ERROR_INTERNET_SECURITY_CHANNEL_ERROR 12157L

// A session handle. INTERNET_OPEN_TYPE_PRECONFIG takes the proxy from the environment
// (http_proxy, https_proxy, no_proxy), never for loopback addresses; INTERNET_OPEN_TYPE_PROXY takes
// `lpszProxy`, with the host names of `lpszProxyBypass` (separated by ';' or spaces) going direct.
// INTERNET_FLAG_ASYNC is refused with ERROR_INVALID_PARAMETER.
HINTERNET InternetOpenA(LPCSTR lpszAgent, DWORD dwAccessType, LPCSTR lpszProxy,
                        LPCSTR lpszProxyBypass, DWORD dwFlags);

// Opens an http:// or https:// address and returns once the final response's headers are in.
// Bytes of the address that a server cannot take as they are (GBK characters, both of their
// bytes; spaces; control characters) are sent percent-encoded. `lpszHeaders` holds extra request
// lines separated by CR LF (`dwHeadersLength` (DWORD)-1 means up to its NUL). Flags that act here:
// INTERNET_FLAG_NO_AUTO_REDIRECT, INTERNET_FLAG_NO_COOKIES (otherwise cookies are kept along a
// redirect chain), INTERNET_FLAG_PRAGMA_NOCACHE and INTERNET_FLAG_IGNORE_CERT_CN_INVALID; the
// cache flags have nothing to do.
HINTERNET InternetOpenUrlA(HINTERNET hInternet, LPCSTR lpszUrl, LPCSTR lpszHeaders,
                           DWORD dwHeadersLength, DWORD dwFlags, DWORD_PTR dwContext);

// Reads the next bytes of the body, filling the buffer unless the body ends first: TRUE with 0
// bytes read is the end. A transfer that fails part-way gives TRUE with the bytes received before
// the failure, then FALSE with the error (ERROR_INTERNET_TIMEOUT, ERROR_INTERNET_CONNECTION_RESET,
// ERROR_INTERNET_CONNECTION_ABORTED for a body cut short).
BOOL InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead,
                      LPDWORD lpdwNumberOfBytesRead);

// Closes a session or address handle; an address stays readable after its session is closed.
BOOL InternetCloseHandle(HINTERNET hInternet);

// INTERNET_OPTION_CONNECT_TIMEOUT and INTERNET_OPTION_RECEIVE_TIMEOUT, a DWORD of milliseconds,
// on a session (for the addresses opened after) or on an address (for its next reads; its
// connection is made already). The defaults are 60 s to connect and 30 s of silence while
// receiving; a receive time-out of 0 waits for ever.
BOOL InternetSetOptionA(HINTERNET hInternet, DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength);

// The final response's status line and headers. With HTTP_QUERY_FLAG_NUMBER the value is a
// DWORD; otherwise text: on success *lpdwBufferLength is its length without the NUL, and a buffer
// that is too small gives ERROR_INSUFFICIENT_BUFFER with the size needed, NUL included.
// `lpdwIndex` picks among headers of the same name and moves on; a missing header gives
// ERROR_HTTP_HEADER_NOT_FOUND. HTTP_QUERY_CUSTOM takes the header's name from the buffer.
BOOL HttpQueryInfoA(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer,
                    LPDWORD lpdwBufferLength, LPDWORD lpdwIndex);

#define InternetOpen InternetOpenA
#define InternetOpenUrl InternetOpenUrlA
#define InternetSetOption InternetSetOptionA
#define HttpQueryInfo HttpQueryInfoA
