#include "platform/zip/ZipArchive.h"

#include <cstdio>

#include "platform/files/Path.h"

namespace platform {
namespace {

FILE* AsFile(voidpf stream) {
    return static_cast<FILE*>(stream);
}

voidpf OpenFile(voidpf, const void* name, int mode) {
    if (name == nullptr) {
        return nullptr;
    }
    const char* openMode = "rb";
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) {
        openMode = (mode & ZLIB_FILEFUNC_MODE_EXISTING) != 0 ? "r+b" : "wb";
    }
    return OpenStdioFile(static_cast<const char*>(name), openMode);
}

uLong ReadFile(voidpf, voidpf stream, void* buffer, uLong size) {
    return static_cast<uLong>(std::fread(buffer, 1, size, AsFile(stream)));
}

uLong WriteFile(voidpf, voidpf stream, const void* buffer, uLong size) {
    return static_cast<uLong>(std::fwrite(buffer, 1, size, AsFile(stream)));
}

ZPOS64_T TellFile(voidpf, voidpf stream) {
    const off_t position = ftello(AsFile(stream));
    return position < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(position);
}

long SeekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    int whence = SEEK_SET;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        whence = SEEK_CUR;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        whence = SEEK_END;
    }
    return fseeko(AsFile(stream), static_cast<off_t>(offset), whence) == 0 ? 0 : -1;
}

int CloseFile(voidpf, voidpf stream) {
    return std::fclose(AsFile(stream));
}

int FileError(voidpf, voidpf stream) {
    return std::ferror(AsFile(stream));
}

}  // namespace

void FillWindowsPathFileFunctions(zlib_filefunc64_def* functions) {
    functions->zopen64_file = OpenFile;
    functions->zread_file = ReadFile;
    functions->zwrite_file = WriteFile;
    functions->ztell64_file = TellFile;
    functions->zseek64_file = SeekFile;
    functions->zclose_file = CloseFile;
    functions->zerror_file = FileError;
    functions->opaque = nullptr;
}

unzFile OpenZipArchive(const char* windowsPath) {
    zlib_filefunc64_def functions;
    FillWindowsPathFileFunctions(&functions);
    return unzOpen2_64(windowsPath, &functions);
}

}  // namespace platform
