// The framework's splitting of an internet address into its service, server, object and port, as
// the fetch code of the programs hands them to sockets and connections.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/internet/WinInet.h"
#include "platform/text/CString.h"

#define AFX_INET_SERVICE_FTP 1
#define AFX_INET_SERVICE_HTTP 3
#define AFX_INET_SERVICE_UNK 0x1000
#define AFX_INET_SERVICE_HTTPS (AFX_INET_SERVICE_UNK + 11)

// Splits "scheme://[user[:password]@]server[:port][object]" for the schemes http, https and ftp
// (any case). The object is everything from the first '/', '?' or '#' after the server, exactly
// as written (nothing is decoded), with a '/' put in front when it begins with '?' or '#' and "/"
// when there is none; the port is the one written or the scheme's own (80, 443, 21). FALSE for
// another scheme, an empty server or a port that is not a number from 1 to 65535: the service is
// then AFX_INET_SERVICE_UNK, the server and object are empty and the port is 0.
BOOL AfxParseURL(LPCSTR pstrURL, DWORD& dwServiceType, CString& strServer, CString& strObject,
                 INTERNET_PORT& nPort);
