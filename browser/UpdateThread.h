// The update service's worker thread, which the main frame starts when it is created. It fetches
// the update page from the update server into data\main2.htm, installs it as the start page
// data\main.htm and brings every file of the page's file list up to date: a file whose MD5 digest
// differs from the listed one is downloaded (and unpacked when its address ends in ".zip"),
// checked against the listed digest and only then copied into place. It shows and logs nothing,
// and ends after the last list line or at the first failure to get or read the page.
//
// The update server is configured in the program folder's data\update.dat: the line after
// "[UPDATE_SERVER]" is its address ("http://host[:port]"), which the page's path and query follow.
// Without it the thread does nothing. Every path is taken from the program folder, not from the
// current folder.
//
// The frame asks the thread to stop when it closes (platform::RequestStop); the downloads give up
// then, and the thread ends before its next step.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

struct UpdateFileEntry;

// pParam (the frame) is not used. Clears the settings store's updateThread when it ends. 0.
UINT UpdateThread(LPVOID pParam);

// The update server's address from data\update.dat of the folder (ending in "\"); empty when
// none is configured.
std::string UpdateServer(const std::string& folder);
// The file's MD5 digest as lower-case text; empty when it cannot be read, which matches no digest.
std::string FileDigest(const char* path);
// The path of the entry's file under the folder when it needs the update (its digest differs
// from the listed one), with the folders along the path created; empty when it is up to date.
std::string UpdateTarget(const std::string& folder, const UpdateFileEntry& entry);
