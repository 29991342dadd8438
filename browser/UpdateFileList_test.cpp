#include "browser/UpdateFileList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/SafeRelativePath.h"
#include "platform/files/MappedDriveTest.h"

namespace {

TEST(SafeRelativePathTest, OnlyPathsThatStayBelowTheirFolderPass) {
    for (const char* path : {"data\\main.htm", "sub/deeper\\new.txt", "quorra.np", "a..b\\c.txt",
                             ".hidden", "data\\\xb1\x5c.txt", "data\\\xb1\x5c\\x.txt"}) {
        EXPECT_TRUE(IsSafeRelativePath(path)) << path;
    }
    for (const char* path :
         {"", "..\\x", "../x", "data\\..\\..\\x", "data\\. .\\x", "data/...", "C:\\x", "C:x",
          "data\\a:b", "\\x", "/x", "\\\\server\\share\\x", "data\\", "data\\..", "."}) {
        EXPECT_FALSE(IsSafeRelativePath(path)) << path;
    }
}

class UpdateFileListTest : public platform::testing::MappedDriveTest {};

TEST_F(UpdateFileListTest, ListLinesAreReadWithinTheirLimits) {
    const std::string digest(32, 'a');
    const std::string path255 = "d\\" + std::string(253, 'p');
    const std::string address255 = "http://h/" + std::string(246, 'a');
    Write("page.htm",
          "MAIN_PAGE_END\r\nx\r\n[file_list_begin] (any case, any tail)\r\n"
          "// comment " +
              digest + " a.txt http://h/a\r\n" + digest +
              " \t first.txt   http://h/1 extra fields\r\n" + digest + " two-fields\r\n" +
              std::string(51, 'd') + " " + path255 + " " + address255 + "\r\n" +
              std::string(52, 'd') + " long-digest.txt http://h/x\r\n" + digest + " " + path255 +
              "p http://h/x\r\n" + digest + " x.txt " + address255 + "a\r\n" + digest +
              " ..\\out.txt http://h/x\r\n" + digest + " l.txt http://h/" +
              std::string(10000, 'l') + "\r\n" + digest + " " + std::string(1000, ' ') +
              "cut.txt http://h/cut\r\n" + digest + " last.txt http://h/last\r\n" +
              "[FILE_LIST_END] \r\n" + digest + " not-the-end.txt http://h/n\r\n" +
              "[FILE_LIST_END]\r\n" + digest + " after.txt http://h/after\r\n");
    CTextLineFile page;
    ASSERT_EQ(page.Open("C:\\page.htm"), 0);
    CUpdateFileList list(page);
    ASSERT_EQ(list.Begin(), 0);
    std::vector<std::string> entries;
    UpdateFileEntry entry;
    while (list.Next(entry) == 0) {
        entries.push_back(std::string(entry.digest) + "|" + entry.path + "|" + entry.address);
    }
    const std::vector<std::string> expected = {
        digest + "|first.txt|http://h/1",
        std::string(51, 'd') + "|" + path255 + "|" + address255,
        digest + "|last.txt|http://h/last",
        digest + "|not-the-end.txt|http://h/n",
    };
    EXPECT_EQ(entries, expected);
    // The list is found again from the top of the page.
    ASSERT_EQ(list.Begin(), 0);
    ASSERT_EQ(list.Next(entry), 0);
    EXPECT_STREQ(entry.path, "first.txt");

    Write("nolist.htm", "MAIN_PAGE_END\r\n[FILE_LIST]\r\n");
    ASSERT_EQ(page.Open("C:\\nolist.htm"), 0);
    EXPECT_EQ(list.Begin(), 1);
}

}  // namespace
