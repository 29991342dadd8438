// URLDownloadToFileA: an http:// or https:// address saved to a file in one call.
#pragma once

#include "platform/base/WinTypes.h"

#ifndef E_ABORT
#define E_ABORT ((HRESULT)0x80004004L)
#endif
#define INET_E_INVALID_URL ((HRESULT)0x800C0002L)
#define INET_E_NO_SESSION ((HRESULT)0x800C0003L)
#define INET_E_CANNOT_CONNECT ((HRESULT)0x800C0004L)
#define INET_E_RESOURCE_NOT_FOUND ((HRESULT)0x800C0005L)
#define INET_E_OBJECT_NOT_FOUND ((HRESULT)0x800C0006L)
#define INET_E_DATA_NOT_AVAILABLE ((HRESULT)0x800C0007L)
#define INET_E_DOWNLOAD_FAILURE ((HRESULT)0x800C0008L)
#define INET_E_CONNECTION_TIMEOUT ((HRESULT)0x800C000BL)
#define INET_E_UNKNOWN_PROTOCOL ((HRESULT)0x800C000DL)
#define INET_E_REDIRECT_FAILED ((HRESULT)0x800C0014L)

// Redirects are followed. The body goes to a temporary file beside the destination, which
// replaces the destination (a Windows path, through the path layer) only once the whole body has
// arrived, so a failed download leaves an existing file as it was. Results: S_OK;
// INET_E_INVALID_URL or INET_E_UNKNOWN_PROTOCOL for an address that is not http or https;
// INET_E_RESOURCE_NOT_FOUND when the name does not resolve; INET_E_CANNOT_CONNECT;
// INET_E_CONNECTION_TIMEOUT; INET_E_OBJECT_NOT_FOUND for a 404 status and
// INET_E_DOWNLOAD_FAILURE for any other status of 400 and above or a body cut short; E_FAIL when
// the file cannot be written; E_ABORT when the calling thread was asked to stop
// (platform::RequestStop), which ends the download within a fraction of a second. The caller and
// the status callback (COM objects) are taken as plain pointers and not called: no progress is
// reported.
HRESULT URLDownloadToFileA(void* pCaller, LPCSTR szURL, LPCSTR szFileName, DWORD dwReserved,
                           void* lpfnCB);

#define URLDownloadToFile URLDownloadToFileA
