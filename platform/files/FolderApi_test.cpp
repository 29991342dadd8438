#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#include <vector>

#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using FolderApiTest = testing::MappedDriveTest;

struct Found {
    std::string name;
    DWORD attributes;
    DWORD size;
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& found, std::ostream* out) {
    *out << found.name << " " << std::hex << found.attributes << " " << std::dec << found.size;
}

// Every entry a search yields, in order; sets the last error of the failed call.
std::vector<Found> FindAll(const char* pattern) {
    std::vector<Found> entries;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) {
        return entries;
    }
    do {
        entries.push_back({data.cFileName, data.dwFileAttributes, data.nFileSizeLow});
    } while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    return entries;
}

std::vector<std::string> NamesOf(const std::vector<Found>& entries) {
    std::vector<std::string> names;
    for (const Found& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

TEST_F(FolderApiTest, CreateDirectoryMakesOneLevel) {
    EXPECT_TRUE(CreateDirectoryA("C:\\data", nullptr));
    EXPECT_TRUE(fs::is_directory(OnDisk("data")));

    EXPECT_FALSE(CreateDirectoryA("C:\\DATA", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\missing\\child", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(fs::exists(OnDisk("missing")));

    // The chain the programs build: every prefix up to and including a backslash.
    for (const char* prefix : {"C:\\", "C:\\data\\", "C:\\data\\a\\", "C:\\data\\a\\b\\"}) {
        CreateDirectoryA(prefix, nullptr);
    }
    EXPECT_TRUE(fs::is_directory(OnDisk("data/a/b")));
    EXPECT_FALSE(CreateDirectoryA("C:\\", nullptr));
    EXPECT_FALSE(CreateDirectoryA("Q:\\x", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FolderApiTest, RemoveDirectoryFailures) {
    Write("full/file.txt", "x");
    EXPECT_FALSE(RemoveDirectoryA("C:\\full"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(RemoveDirectoryA("C:\\full\\file.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_FALSE(RemoveDirectoryA("C:\\none"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(DeleteFileA("C:\\Full\\File.txt"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\FULL\\"));
    EXPECT_FALSE(fs::exists(OnDisk("full")));

    fs::create_directories(OnDisk("target"));
    fs::create_directory_symlink(OnDisk("target"), OnDisk("link"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\link"));
    EXPECT_TRUE(fs::is_directory(OnDisk("target")));
}

TEST_F(FolderApiTest, FindListsMatchesWithAttributes) {
    Write("list/a.txt", "12345");
    Write("list/B.TXT", "");
    Write("list/readme", "r");
    Write("list/.hidden", "");
    fs::create_directories(OnDisk("list/sub"));
    fs::create_directory_symlink(OnDisk("list/sub"), OnDisk("list/link"));

    EXPECT_EQ(
        FindAll("C:\\list\\*"),
        (std::vector<Found>{{".", FILE_ATTRIBUTE_DIRECTORY, 0},
                            {"..", FILE_ATTRIBUTE_DIRECTORY, 0},
                            {".hidden", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 0},
                            {"a.txt", FILE_ATTRIBUTE_ARCHIVE, 5},
                            {"B.TXT", FILE_ATTRIBUTE_ARCHIVE, 0},
                            {"link", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, 0},
                            {"readme", FILE_ATTRIBUTE_ARCHIVE, 1},
                            {"sub", FILE_ATTRIBUTE_DIRECTORY, 0}}));
    EXPECT_EQ(NamesOf(FindAll("c:/LIST/*.TXT")), (std::vector<std::string>{"a.txt", "B.TXT"}));
    EXPECT_EQ(NamesOf(FindAll("C:\\list\\?.txt")), (std::vector<std::string>{"a.txt", "B.TXT"}));
    EXPECT_EQ(NamesOf(FindAll("C:\\list\\*.*")),
              (std::vector<std::string>{".", "..", ".hidden", "a.txt", "B.TXT", "link", "readme",
                                        "sub"}));
    // Without wildcards: the one entry, under its name on disk.
    EXPECT_EQ(NamesOf(FindAll("C:\\list\\README")), (std::vector<std::string>{"readme"}));
}

TEST_F(FolderApiTest, FindFailures) {
    Write("list/a.txt", "");
    EXPECT_TRUE(FindAll("C:\\list\\*.doc").empty());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(FindAll("C:\\nothing\\*").empty());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(FindAll("C:\\list\\a.txt\\*").empty());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(FindAll("C:\\list\\").empty());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(FindAll("C:\\list\\a|*").empty());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
}

TEST_F(FolderApiTest, GbkNamesAreCreatedAsUtf8AndFoundAsGbk) {
    // "图片" and "乗.txt" in GBK; 乗 ends in the byte of a backslash.
    EXPECT_TRUE(CreateDirectoryA("C:\\\xCD\xBC\xC6\xAC", nullptr));
    HANDLE file = CreateFileA("C:\\\xCD\xBC\xC6\xAC\\\x81\x5C.txt", GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_TRUE(fs::is_regular_file(OnDisk(u8"图片/乗.txt")));
    EXPECT_EQ(NamesOf(FindAll("C:\\*")), (std::vector<std::string>{".", "..", "\xCD\xBC\xC6\xAC"}));
    EXPECT_EQ(NamesOf(FindAll("C:\\\xCD\xBC\xC6\xAC\\*.TXT")),
              (std::vector<std::string>{"\x81\x5C.txt"}));
}

TEST_F(FolderApiTest, FindGivesGbkNamesAndNoDotsAtTheLinuxRoot) {
    Write(reinterpret_cast<const char*>(u8"gbk/乗.url"), "");
    std::vector<Found> found = FindAll("C:\\gbk\\*.url");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "\x81\x5C.url");
    EXPECT_EQ(NamesOf(FindAll("C:\\gbk\\\x81\x5C.URL")),
              (std::vector<std::string>{"\x81\x5C.url"}));

    std::vector<std::string> root = NamesOf(FindAll("Z:\\*"));
    ASSERT_FALSE(root.empty());
    EXPECT_NE(root.front(), ".");
}

TEST_F(FolderApiTest, CopyFileHonoursFailIfExists) {
    Write("src.txt", "source bytes");
    Write("dst.txt", "old");
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, OnDisk("src.txt").c_str(), times, 0), 0);

    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\DST.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(Read("dst.txt"), "old");

    EXPECT_TRUE(CopyFileA("C:\\src.txt", "C:\\DST.txt", FALSE));
    EXPECT_EQ(Read("dst.txt"), "source bytes");
    EXPECT_EQ(fs::last_write_time(OnDisk("dst.txt")), fs::last_write_time(OnDisk("src.txt")));

    EXPECT_TRUE(CopyFileA("C:\\src.txt", "C:\\fresh.txt", TRUE));
    EXPECT_EQ(Read("fresh.txt"), "source bytes");

    EXPECT_FALSE(CopyFileA("C:\\none.txt", "C:\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\no\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\src.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    // No temporary file is left behind, whatever happened.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"dst.txt", "fresh.txt", "src.txt"}));
}

TEST_F(FolderApiTest, CopyFileRefusesADestinationInUse) {
    Write("src.txt", "new");
    Write("busy.txt", "busy");
    HANDLE holder = CreateFileA("C:\\busy.txt", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(CopyFileA("C:\\src.txt", "C:\\busy.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(Read("busy.txt"), "busy");
    EXPECT_TRUE(CloseHandle(holder));
    EXPECT_TRUE(CopyFileA("C:\\src.txt", "C:\\busy.txt", FALSE));
}

TEST_F(FolderApiTest, MoveFileReplacesOnlyWhenAsked) {
    Write("a.txt", "A");
    Write("b.txt", "B");
    EXPECT_FALSE(MoveFileA("C:\\a.txt", "C:\\b.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(MoveFileExA("C:\\a.txt", "C:\\B.TXT", 0));
    EXPECT_EQ(Read("b.txt"), "B");

    EXPECT_TRUE(MoveFileExA("C:\\a.txt", "C:\\B.TXT", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(Read("b.txt"), "A");
    EXPECT_FALSE(fs::exists(OnDisk("a.txt")));

    fs::create_directories(OnDisk("sub"));
    EXPECT_TRUE(MoveFileA("C:\\b.txt", "C:\\SUB\\moved.txt"));
    EXPECT_EQ(Read("sub/moved.txt"), "A");
    EXPECT_FALSE(MoveFileA("C:\\b.txt", "C:\\c.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(MoveFileA("C:\\sub\\moved.txt", "C:\\none\\c.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FolderApiTest, MoveFileChangesOnlyTheCase) {
    Write("name.txt", "x");
    EXPECT_TRUE(MoveFileA("C:\\name.txt", "C:\\Name.TXT"));
    EXPECT_TRUE(fs::exists(OnDisk("Name.TXT")));
    EXPECT_FALSE(fs::exists(OnDisk("name.txt")));

    fs::create_directories(OnDisk("folder"));
    EXPECT_TRUE(MoveFileA("C:\\folder", "C:\\renamed"));
    EXPECT_TRUE(fs::is_directory(OnDisk("renamed")));
}

TEST_F(FolderApiTest, MoveFileCopiesAcrossFileSystemsOnlyWhenAllowed) {
    std::string pattern = "/dev/shm/platform-files-XXXXXX";
    if (!fs::is_directory("/dev/shm") || mkdtemp(pattern.data()) == nullptr) {
        GTEST_SKIP() << "no second file system";
    }
    fs::path other = pattern;
    struct stat here {
    }, there{};
    stat(root_.c_str(), &here);
    stat(other.c_str(), &there);
    if (here.st_dev == there.st_dev) {
        fs::remove_all(other);
        GTEST_SKIP() << "/dev/shm is on the same file system";
    }
    MapDrive('D', other);
    Write("far.txt", "travels");
    EXPECT_FALSE(MoveFileExA("C:\\far.txt", "D:\\far.txt", 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
    EXPECT_TRUE(MoveFileA("C:\\far.txt", "D:\\far.txt"));
    EXPECT_FALSE(fs::exists(OnDisk("far.txt")));
    UnmapDrive('D');
    std::ifstream moved(other / "far.txt");
    std::string content;
    std::getline(moved, content);
    EXPECT_EQ(content, "travels");
    fs::remove_all(other);
}

TEST_F(FolderApiTest, DeleteAndAttributesOfWhatIsNotThere) {
    fs::create_directories(OnDisk("dir"));
    EXPECT_FALSE(DeleteFileA("C:\\dir"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA("C:\\gone.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    EXPECT_EQ(GetFileAttributesA("C:\\gone.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("C:\\gone\\x.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("C:\\DIR"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA("C:\\"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(SetFileAttributesA("C:\\gone.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace platform
