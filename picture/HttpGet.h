// Fetches a web resource through the internet-fetch functions, for the script's "%getremotefile"
// and the picture collector's update service. Every byte of a body is kept, NULs included.
#pragma once

#include <cstdio>

#include "platform/internet/WinInet.h"
#include "platform/text/CString.h"

class CHttpGet {
public:
    // 201: the Internet handle or the address cannot be opened, or the text outgrows memory.
    static constexpr int kFetchFailed = 201;
    // FetchText gives up on bodies longer than this, as if memory had run out.
    static constexpr int kMaxTextLength = 64 << 20;

    CHttpGet();
    virtual ~CHttpGet();
    CHttpGet(const CHttpGet&) = delete;
    CHttpGet& operator=(const CHttpGet&) = delete;

    // 0 when the address was opened, text then holding what was received (up to a read that
    // failed, or a stop request of the thread); 201 with an empty text otherwise.
    int FetchText(const char* address, CString& text);
    // 0 when the address was opened, the body then written to stream; 201 otherwise.
    int FetchToFile(const char* address, FILE* stream);
    int Close();

private:
    // Closes what an earlier fetch left and opens the address; false when either handle fails.
    bool OpenAddress(const char* address);

    HINTERNET m_hInternet = nullptr;
    HINTERNET m_hAddress = nullptr;
};
