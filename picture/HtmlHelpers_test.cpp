#include "picture/HtmlHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/FileApi.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace picture::testing {
namespace {

TEST(HtmlHelpersTest, StripHtmlTagsKeepsTheTextOutsideTags) {
    const struct {
        const char* html;
        const char* text;
    } cases[] = {
        {"a<b>c</b>d", "acd"}, {"x<y", "x"},
        {"1 > 0", "1 > 0"},    {"<p>汉字<br/>文本</p>", "汉字文本"},
        {"a<<b>>c", "a>c"},    {"", ""},
    };
    for (const auto& each : cases) {
        CString text = each.html;
        StripHtmlTags(text);
        EXPECT_EQ(std::string(each.text), text.str()) << each.html;
    }
}

TEST(HtmlHelpersTest, DeleteHtmlCacheRemovesOnlyTheGeneratedPages) {
    platform::testing::TempFolder folder;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(platform::ToWindowsPath(folder.path()).c_str()));
    EXPECT_EQ(0, DeleteHtmlCache());

    folder.WriteFile("html/list.htm", "x");
    folder.WriteFile("html/SEARCH.HTM", "x");
    folder.WriteFile("html/imageinfo.dat", "x");
    folder.WriteFile("html/folder.htm/inside.htm", "x");
    folder.WriteFile("list.htm", "x");
    EXPECT_EQ(0, DeleteHtmlCache());
    SetCurrentDirectoryA(previous);

    EXPECT_FALSE(std::filesystem::exists(folder.path() / "html/list.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "html/SEARCH.HTM"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "html/imageinfo.dat"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "html/folder.htm/inside.htm"));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "list.htm"));
}

}  // namespace
}  // namespace picture::testing
