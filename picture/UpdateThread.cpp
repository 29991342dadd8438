#include "picture/UpdateThread.h"

#include <cstdio>
#include <string>

#include "browser/BrowserDataStore.h"
#include "browser/UpdateFileList.h"
#include "browser/UpdateThread.h"
#include "common/AppFolder.h"
#include "common/TextLineFile.h"
#include "common/WholeFile.h"
#include "picture/HttpGet.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/threads/ThreadApi.h"

namespace glintora {

namespace {

constexpr char kPagePath[] = "/fk/main.asp?V=";
constexpr int kVersion = 135;
constexpr char kStartPage[] = "data\\main.htm";
constexpr char kDownload[] = "data\\data.dat";
constexpr char kPageEnd[] = "[HTML_END]";

void UpdateFile(const std::string& folder, const UpdateFileEntry& entry) {
    const std::string target = UpdateTarget(folder, entry);
    if (target.empty()) {
        return;
    }
    const std::string download = folder + kDownload;
    FILE* stream = platform::OpenStdioFile(download.c_str(), "wb");
    if (stream == nullptr) {
        return;
    }
    const int result = CHttpGet().FetchToFile(entry.address, stream);
    std::fclose(stream);
    if (result == 0 && !platform::StopRequested() && FileDigest(download.c_str()) == entry.digest) {
        CopyFileA(download.c_str(), target.c_str(), FALSE);
    }
}

int Update() {
    const std::string folder(GetAppFolderNoChdir().view());
    const std::string server = UpdateServer(folder);
    if (server.empty()) {
        return 1;
    }
    const std::string address = server + kPagePath + std::to_string(kVersion);
    CString reply;
    if (CHttpGet().FetchText(address.c_str(), reply) != 0 || reply.Find(kPageEnd) <= 0 ||
        platform::StopRequested()) {
        return 1;
    }
    const std::string page = folder + kStartPage;
    if (!WriteWholeFile(page.c_str(), reply.view())) {
        return 1;
    }
    CTextLineFile file;
    if (file.Open(page.c_str()) != 0) {
        return 1;
    }
    CUpdateFileList list(file);
    if (list.Begin() != 0) {
        return 0;
    }
    UpdateFileEntry entry;
    while (!platform::StopRequested() && list.Next(entry) == 0) {
        UpdateFile(folder, entry);
    }
    return 0;
}

}  // namespace

UINT UpdateThread(LPVOID) {
    const int result = Update();
    DataStore().updateThread = nullptr;
    return static_cast<UINT>(result);
}

}  // namespace glintora
