#include "browser/ExtractFirstZipEntry.h"

#include <cstdio>
#include <string>
#include <vector>

#include "browser/SafeRelativePath.h"
#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/threads/ThreadApi.h"
#include "platform/time/TimeConversions.h"
#include "platform/zip/ZipArchive.h"

namespace {

constexpr int kPieceBytes = 10240;
constexpr char kUnpackedSuffix[] = ".unz";

// The entry's time is local DOS time, as zip tools store it.
void SetModificationTime(const std::string& path, uLong dosDate) {
    FILETIME local;
    FILETIME utc;
    if (!DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local) ||
        !LocalFileTimeToFileTime(&local, &utc)) {
        return;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        SetFileTime(file, nullptr, nullptr, &utc);
        CloseHandle(file);
    }
}

// Copies the open entry into `file`; false when it is damaged, a write fails or the thread is
// asked to stop.
bool CopyEntry(unzFile archive, FILE* file) {
    char piece[kPieceBytes];
    int count = 0;
    while ((count = unzReadCurrentFile(archive, piece, kPieceBytes)) > 0) {
        if (std::fwrite(piece, 1, static_cast<size_t>(count), file) != static_cast<size_t>(count) ||
            platform::StopRequested()) {
            return false;
        }
    }
    return count == 0;
}

int Extract(unzFile archive, const char* archivePath, CString& outPath) {
    unz_file_info info;
    if (unzGoToFirstFile(archive) != UNZ_OK ||
        unzGetCurrentFileInfo(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return 1;
    }
    std::vector<char> name(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo(archive, &info, name.data(), static_cast<uLong>(name.size()), nullptr,
                              0, nullptr, 0) != UNZ_OK ||
        !IsSafeRelativePath(name.data())) {
        return 1;
    }
    char drive[_MAX_DRIVE];
    char folder[_MAX_DIR];
    platform::SplitPath(archivePath, drive, folder, nullptr, nullptr);
    const std::string unpacked = std::string(drive) + folder + name.data() + kUnpackedSuffix;

    if (unzOpenCurrentFile(archive) != UNZ_OK) {
        return 1;
    }
    FILE* file = platform::OpenStdioFile(unpacked.c_str(), "wb");
    if (file == nullptr) {
        unzCloseCurrentFile(archive);
        return 1;
    }
    bool whole = CopyEntry(archive, file);
    // Closing the entry compares its checksum with what was read.
    whole = unzCloseCurrentFile(archive) == UNZ_OK && whole;
    whole = std::fclose(file) == 0 && whole;
    if (!whole) {
        DeleteFileA(unpacked.c_str());
        return 1;
    }
    SetModificationTime(unpacked, info.dosDate);
    SetFileAttributesA(unpacked.c_str(), FILE_ATTRIBUTE_NORMAL);
    outPath = unpacked.c_str();
    return 0;
}

}  // namespace

int ExtractFirstZipEntry(const char* archivePath, CString& outPath) {
    unzFile archive = platform::OpenZipArchive(archivePath);
    if (archive == nullptr) {
        return 1;
    }
    const int result = Extract(archive, archivePath, outPath);
    unzClose(archive);
    return result;
}
