#include "browser/UpdateThread.h"

#include <cstring>
#include <string>

#include "browser/BrowserDataStore.h"
#include "browser/ExtractFirstZipEntry.h"
#include "browser/HttpGetter.h"
#include "browser/MainFrame.h"
#include "browser/UpdateFileList.h"
#include "common/AppFolder.h"
#include "common/DirectoryChain.h"
#include "common/Md5Digest.h"
#include "common/TextLineFile.h"
#include "platform/files/FileApi.h"
#include "platform/threads/ThreadApi.h"

namespace {

constexpr char kServerFile[] = "data\\update.dat";
constexpr char kServerKey[] = "[UPDATE_SERVER]";
constexpr char kPagePath[] = "/quorra/main.asp?V=";
constexpr char kUpdatePage[] = "data\\main2.htm";
constexpr char kStartPage[] = "data\\main.htm";
constexpr char kDownload[] = "data\\data_tmp.dat";
constexpr char kPageEnd[] = "MAIN_PAGE_END";

// Case matters: an address ending in ".ZIP" is a plain file.
bool IsZipAddress(const char* address) {
    const size_t length = std::strlen(address);
    return length >= 4 && std::strcmp(address + length - 4, ".zip") == 0;
}

void UpdateFile(const std::string& folder, const UpdateFileEntry& entry) {
    const std::string target = UpdateTarget(folder, entry);
    if (target.empty()) {
        return;
    }
    const std::string download = folder + kDownload;
    if (CHttpGetter().DownloadToFile(entry.address, download.c_str()) != 0) {
        DeleteFileA(download.c_str());
        return;
    }
    CString candidate = download.c_str();
    const bool unpacked =
        !IsZipAddress(entry.address) || ExtractFirstZipEntry(download.c_str(), candidate) == 0;
    if (unpacked) {
        if (FileDigest(candidate) == entry.digest) {
            CopyFileA(candidate, target.c_str(), FALSE);
        }
        DeleteFileA(candidate);
    }
    DeleteFileA(download.c_str());
}

void Update() {
    const std::string folder(GetAppFolderNoChdir().view());
    const std::string server = UpdateServer(folder);
    if (server.empty()) {
        return;
    }
    const std::string address = server + kPagePath + std::to_string(CMainFrame::kVersion);
    const std::string page = folder + kUpdatePage;
    if (CHttpGetter().DownloadToFile(address.c_str(), page.c_str()) != 0) {
        return;
    }
    CTextLineFile file;
    char line[3072];
    if (file.Open(page.c_str()) != 0 || file.FindLine(kPageEnd, line) != 0) {
        return;
    }
    file.ReadValueLine(line);
    CopyFileA(page.c_str(), (folder + kStartPage).c_str(), FALSE);

    CUpdateFileList list(file);
    if (list.Begin() != 0) {
        return;
    }
    UpdateFileEntry entry;
    while (!platform::StopRequested() && list.Next(entry) == 0) {
        UpdateFile(folder, entry);
    }
}

}  // namespace

std::string FileDigest(const char* path) {
    char text[64] = {};
    CMd5Digest().Md5File(path, text);
    return text;
}

std::string UpdateTarget(const std::string& folder, const UpdateFileEntry& entry) {
    const std::string target = folder + entry.path;
    if (FileDigest(target.c_str()) == entry.digest) {
        return std::string();
    }
    CreateDirectoryChain(target.c_str());
    return target;
}

std::string UpdateServer(const std::string& folder) {
    CTextLineFile file;
    char line[1024];
    if (file.Open((folder + kServerFile).c_str()) != 0 || file.FindLine(kServerKey, line) != 0 ||
        file.ReadValueLine(line) != 0) {
        return std::string();
    }
    return line;
}

UINT UpdateThread(LPVOID) {
    Update();
    DataStore().updateThread = nullptr;
    return 0;
}
