#include "platform/files/FileApi.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

using FileApiTest = testing::MappedDriveTest;

constexpr DWORD kReadWrite = GENERIC_READ | GENERIC_WRITE;

HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition) {
    return CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string ReadAll(HANDLE file) {
    std::string bytes(256, '\0');
    DWORD count = 0;
    EXPECT_TRUE(ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr));
    bytes.resize(count);
    return bytes;
}

void WriteText(HANDLE file, std::string_view text) {
    DWORD count = 0;
    EXPECT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &count, nullptr));
    EXPECT_EQ(count, text.size());
}

DWORD ErrorOf(HANDLE handle) {
    EXPECT_EQ(handle, INVALID_HANDLE_VALUE);
    return GetLastError();
}

TEST_F(FileApiTest, DispositionsCreateTruncateOrKeep) {
    Write("old.txt", "old content");

    HANDLE created = Open("C:\\new.txt", GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    WriteText(created, "new");
    EXPECT_TRUE(CloseHandle(created));
    EXPECT_EQ(Read("new.txt"), "new");

    HANDLE truncated = Open("C:\\OLD.TXT", GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(truncated, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(CloseHandle(truncated));
    EXPECT_EQ(Read("old.txt"), "");
    EXPECT_FALSE(std::filesystem::exists(OnDisk("OLD.TXT")));

    Write("keep.txt", "kept");
    HANDLE kept = Open("C:\\keep.txt", kReadWrite, 0, OPEN_ALWAYS);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(ReadAll(kept), "kept");
    EXPECT_TRUE(CloseHandle(kept));

    HANDLE fresh = Open("C:\\fresh.txt", kReadWrite, 0, OPEN_ALWAYS);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(CloseHandle(fresh));

    EXPECT_EQ(ErrorOf(Open("C:\\keep.txt", GENERIC_WRITE, 0, CREATE_NEW)),
              static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(Read("keep.txt"), "kept");

    HANDLE emptied = Open("C:\\keep.txt", GENERIC_WRITE, 0, TRUNCATE_EXISTING);
    EXPECT_TRUE(CloseHandle(emptied));
    EXPECT_EQ(Read("keep.txt"), "");
    EXPECT_EQ(ErrorOf(Open("C:\\keep.txt", GENERIC_READ, 0, TRUNCATE_EXISTING)),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(FileApiTest, OpeningWhatIsNotThereOrCannotBeOpened) {
    EXPECT_EQ(ErrorOf(Open("C:\\missing.txt", GENERIC_READ, 0, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(ErrorOf(Open("C:\\no\\such.txt", GENERIC_READ, 0, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ErrorOf(Open("C:\\no\\such.txt", GENERIC_WRITE, 0, CREATE_ALWAYS)),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ErrorOf(Open("Q:\\x.txt", GENERIC_READ, 0, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ErrorOf(Open("C:\\a<b.txt", GENERIC_WRITE, 0, CREATE_ALWAYS)),
              static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(ErrorOf(Open("C:\\", GENERIC_READ, 0, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ErrorOf(Open(nullptr, GENERIC_READ, 0, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ErrorOf(Open("C:\\x.txt", GENERIC_READ, 0, 0)),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(std::filesystem::exists(OnDisk("x.txt")));
}

TEST_F(FileApiTest, ReadWriteAndPointer) {
    HANDLE file = Open("C:\\data.bin", kReadWrite, 0, CREATE_ALWAYS);
    WriteText(file, std::string("0123456789\0\xFF", 12));
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(file, &high), 12u);
    EXPECT_EQ(high, 0u);

    EXPECT_EQ(SetFilePointer(file, -4, nullptr, FILE_END), 8u);
    EXPECT_EQ(ReadAll(file), std::string("89\0\xFF", 4));
    EXPECT_EQ(ReadAll(file), "");  // at the end: success with nothing read

    EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
    EXPECT_EQ(SetFilePointer(file, 3, nullptr, FILE_CURRENT), 5u);
    EXPECT_TRUE(SetEndOfFile(file));
    EXPECT_EQ(GetFileSize(file, nullptr), 5u);

    EXPECT_EQ(SetFilePointer(file, -6, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, 9), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // A 64-bit move through the high half.
    LONG move_high = 1;
    EXPECT_EQ(SetFilePointer(file, 0, &move_high, FILE_BEGIN), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(move_high, 1);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_BEGIN), 0u);

    OVERLAPPED at{};
    at.Offset = 1;
    char two[2];
    DWORD count = 0;
    EXPECT_TRUE(ReadFile(file, two, 2, &count, &at));
    EXPECT_EQ(std::string(two, count), "12");
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 3u);
    at.Offset = 5;
    EXPECT_FALSE(ReadFile(file, two, 2, &count, &at));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_HANDLE_EOF));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(Read("data.bin"), "01234");
}

TEST_F(FileApiTest, AccessIsChecked) {
    Write("f.txt", "abc");
    HANDLE reader =
        Open("C:\\f.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    DWORD count = 5;
    EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(SetEndOfFile(reader));
    EXPECT_FALSE(FlushFileBuffers(reader));

    HANDLE writer =
        Open("C:\\f.txt", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    char byte;
    EXPECT_FALSE(ReadFile(writer, &byte, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(FlushFileBuffers(writer));
    EXPECT_TRUE(CloseHandle(writer));
    EXPECT_TRUE(CloseHandle(reader));

    EXPECT_FALSE(ReadFile(reader, &byte, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GetFileSize(reader, nullptr), INVALID_FILE_SIZE);
}

TEST_F(FileApiTest, ShareModesBetweenHandles) {
    Write("s.txt", "shared");
    HANDLE exclusive = Open("C:\\s.txt", GENERIC_READ, 0, OPEN_EXISTING);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ErrorOf(Open("C:\\S.TXT", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // A refused CREATE_ALWAYS must not have emptied the file.
    EXPECT_EQ(ErrorOf(Open("C:\\s.txt", GENERIC_WRITE, 0xFF, CREATE_ALWAYS)),
              static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Read("s.txt"), "shared");
    EXPECT_FALSE(DeleteFileA("C:\\s.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(CloseHandle(exclusive));

    HANDLE reader = Open("C:\\s.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    HANDLE second = Open("C:\\s.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ErrorOf(Open("C:\\s.txt", GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // Sharing reads is not enough for a newcomer that refuses to share the others' reading.
    EXPECT_EQ(ErrorOf(Open("C:\\s.txt", GENERIC_READ, 0, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_TRUE(CloseHandle(reader));

    HANDLE deletable =
        Open("C:\\s.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING);
    EXPECT_TRUE(DeleteFileA("C:\\s.txt"));
    EXPECT_TRUE(CloseHandle(deletable));
}

TEST_F(FileApiTest, ReadOnlyFilesRefuseWritingAndDeletion) {
    Write("ro.txt", "keep me");
    EXPECT_TRUE(SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA("C:\\ro.txt"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(std::filesystem::status(OnDisk("ro.txt")).permissions() &
                  std::filesystem::perms::owner_write,
              std::filesystem::perms::none);

    EXPECT_EQ(ErrorOf(Open("C:\\ro.txt", GENERIC_WRITE, 0, OPEN_EXISTING)),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ErrorOf(Open("C:\\ro.txt", GENERIC_WRITE, 0, CREATE_ALWAYS)),
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA("C:\\ro.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    HANDLE reader = Open("C:\\ro.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_EQ(ReadAll(reader), "keep me");
    EXPECT_TRUE(CloseHandle(reader));

    EXPECT_TRUE(SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("C:\\ro.txt"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(DeleteFileA("C:\\ro.txt"));

    HANDLE created = CreateFileA("C:\\new-ro.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_READONLY, nullptr);
    WriteText(created, "x");
    EXPECT_TRUE(CloseHandle(created));
    EXPECT_EQ(GetFileAttributesA("C:\\new-ro.txt") & FILE_ATTRIBUTE_READONLY,
              FILE_ATTRIBUTE_READONLY);
}

TEST_F(FileApiTest, FileTimesAreUtcHundredsOfNanosecondsSince1601) {
    HANDLE file = Open("C:\\t.txt", kReadWrite, 0, CREATE_ALWAYS);
    // 2000-01-01 00:00:00 UTC, and a quarter second past it.
    const FILETIME written{static_cast<DWORD>(125911584002500000ull),
                           static_cast<DWORD>(125911584002500000ull >> 32)};
    const FILETIME accessed{static_cast<DWORD>(125911584000000000ull),
                            static_cast<DWORD>(125911584000000000ull >> 32)};
    EXPECT_TRUE(SetFileTime(file, nullptr, &accessed, &written));

    struct stat status {};
    ASSERT_EQ(stat(OnDisk("t.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mtim.tv_sec, 946684800);
    EXPECT_EQ(status.st_mtim.tv_nsec, 250000000);
    EXPECT_EQ(status.st_atim.tv_sec, 946684800);

    FILETIME read_back{};
    FILETIME read_access{};
    EXPECT_TRUE(GetFileTime(file, nullptr, &read_access, &read_back));
    EXPECT_EQ(read_back.dwLowDateTime, written.dwLowDateTime);
    EXPECT_EQ(read_back.dwHighDateTime, written.dwHighDateTime);
    EXPECT_EQ(read_access.dwLowDateTime, accessed.dwLowDateTime);
    EXPECT_TRUE(CloseHandle(file));

    HANDLE reader = Open("C:\\t.txt", GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_FALSE(SetFileTime(reader, nullptr, nullptr, &written));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(reader));
}

TEST_F(FileApiTest, HandleKindsAreNotInterchangeable) {
    Write("k.txt", "x");
    HANDLE file = Open("C:\\k.txt", GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_FALSE(FindClose(file));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    WIN32_FIND_DATAA found;
    EXPECT_FALSE(FindNextFileA(file, &found));
    HANDLE search = FindFirstFileA("C:\\*", &found);
    char byte;
    DWORD count;
    EXPECT_FALSE(ReadFile(search, &byte, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(FindClose(search));
    EXPECT_TRUE(CloseHandle(file));
}

}  // namespace
}  // namespace platform
