// The default program folder's data files read the way the browser reads them: the skins in one
// forward pass over their keys, the start page's search engines and music search through the
// settings store.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "common/TextLineFile.h"
#include "platform/testing/TempFolder.h"

namespace {

constexpr int kColourCount = 27;

struct Skin {
    int style = -1;
    std::vector<unsigned> colours;  // 0xRRGGBB in the order the file gives them
};

// Reads a skin as the loader does, but fails the test at the first missing or malformed key
// instead of falling back to a default.
Skin ReadSkin(const char* path) {
    static const std::vector<std::pair<const char*, std::vector<const char*>>> sections = {
        {"[TOOL_CONFIG]", {"[BACKGROUND_COLOR]", "[TEXT_COLOR]"}},
        {"[PAGELABLE_CONFIG]",
         {"[BACKGROUND_COLOR]", "[TEXT_COLOR]", "[BEGIN_SELECTED_BACKGROUND_COLOR]",
          "[END_SELECTED_BACKGROUND_COLOR]", "[SELECTED_TEXT_COLOR]", "[BUTTON_BORDER_COLOR]",
          "[BUTTON_BACKGROUND_COLOR]", "[BUTTON_TEXT_COLOR]", "[SELECTED_BUTTON_BORDER_COLOR]",
          "[SELECTED_BUTTON_BACKGROUND_COLOR]", "[SELECTED_BUTTON_TEXT_COLOR]",
          "[NEWS_BACKGROUND_COLOR]", "[NEWS_TEXT_COLOR]"}},
        {"[STATUS_CONFIG]",
         {"[BACKGROUND_COLOR]", "[ITEM_BACKGROUND_COLOR]", "[ITEM_BORDER_COLOR]", "[TEXT_COLOR]",
          "[PROGRESS_COLOR_1]", "[PROGRESS_COLOR_2]"}},
        {"[MENU_CONFIG]",
         {"[BACKGROUND_LEFT]", "[BACKGROUND_RIGHT]", "[TEXT_COLOR]", "[SELECTED_BORDER]",
          "[SELECTED_BACKGROUND]", "[SELECTED_TEXT_COLOR]"}},
    };
    Skin skin;
    CTextLineFile file;
    char line[600];
    EXPECT_EQ(file.Open(path), 0) << path;
    EXPECT_EQ(file.FindLine("[SKIN_CONFIG]", line), 0) << path;
    EXPECT_EQ(file.FindLine("[STYLE]", line), 0) << path;
    EXPECT_EQ(file.ReadValueLine(line), 0) << path;
    char rest = 0;
    EXPECT_EQ(std::sscanf(line, "%d%c", &skin.style, &rest), 1) << path << ": " << line;
    for (const auto& [section, keys] : sections) {
        EXPECT_EQ(file.FindLine(section, line), 0) << path << " " << section;
        for (const char* key : keys) {
            if (file.FindLine(key, line) != 0 || file.ReadValueLine(line) != 0) {
                ADD_FAILURE() << path << ": " << section << " " << key << " missing";
                return skin;
            }
            int r = -1, g = -1, b = -1, used = 0;
            std::string value = line;
            EXPECT_EQ(std::sscanf(line, "RGB(%d,%d,%d)%n", &r, &g, &b, &used), 3) << value;
            EXPECT_EQ(used, static_cast<int>(value.size())) << path << ": " << value;
            for (int part : {r, g, b}) {
                EXPECT_TRUE(part >= 0 && part <= 255) << path << ": " << value;
            }
            skin.colours.push_back(unsigned(r) << 16 | unsigned(g) << 8 | unsigned(b));
        }
    }
    return skin;
}

class DefaultProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(QUORRA_PROGRAM_FOLDER, folder_.path(),
                              std::filesystem::copy_options::recursive);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    std::string Read(const std::string& relative) const { return folder_.ReadFile(relative); }

    platform::testing::TempFolder folder_;
    std::filesystem::path previous_;
};

TEST_F(DefaultProgramFolderTest, SkinsGiveEveryKeyInOrder) {
    int skins = 0;
    for (const auto& entry : std::filesystem::directory_iterator("data/skin")) {
        if (entry.path().extension() == ".ini")
            ++skins;
    }
    EXPECT_GE(skins, 2);

    Skin blue = ReadSkin("data\\skin\\经典蓝.ini");
    Skin orange = ReadSkin("data\\skin\\橙色阳光.ini");
    Skin system = ReadSkin("data\\skin\\系统默认.ini");
    ASSERT_EQ(blue.colours.size(), size_t(kColourCount));
    ASSERT_EQ(orange.colours.size(), size_t(kColourCount));
    ASSERT_EQ(system.colours.size(), size_t(kColourCount));
    EXPECT_EQ(blue.style, 0);
    EXPECT_EQ(orange.style, 0);
    EXPECT_EQ(system.style, 1);
}

// Colours that differ by less than this in every channel look the same.
bool VisiblyDifferent(unsigned a, unsigned b) {
    for (int shift : {0, 8, 16}) {
        int difference = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (difference > 40 || difference < -40)
            return true;
    }
    return false;
}

TEST_F(DefaultProgramFolderTest, TheTwoColourSkinsLookDifferent) {
    Skin blue = ReadSkin("data\\skin\\经典蓝.ini");
    Skin orange = ReadSkin("data\\skin\\橙色阳光.ini");
    ASSERT_EQ(blue.colours.size(), size_t(kColourCount));
    ASSERT_EQ(orange.colours.size(), size_t(kColourCount));
    // Tool bar, tab strip, selected tab, status bar, progress and menu colours.
    for (int member : {0, 2, 5, 15, 19, 21}) {
        EXPECT_TRUE(VisiblyDifferent(blue.colours[member], orange.colours[member])) << member;
    }
    // Text stays readable on its background: tab, status and menu text.
    for (auto [text, background] : {std::pair{3, 2}, std::pair{18, 16}, std::pair{23, 22}}) {
        for (const Skin* skin : {&blue, &orange}) {
            EXPECT_TRUE(VisiblyDifferent(skin->colours[text], skin->colours[background]))
                << text << " on " << background;
        }
    }
}

TEST_F(DefaultProgramFolderTest, CurrentSkinIsOneOfTheSkins) {
    std::string current = Read("data/skin.ini");
    ASSERT_FALSE(current.empty());
    bool found = false;
    for (const auto& entry : std::filesystem::directory_iterator("data/skin")) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        found |= bytes == current;
    }
    EXPECT_TRUE(found);
}

TEST_F(DefaultProgramFolderTest, StartPageGivesTheEnginesAndTheMusicSearch) {
    CBrowserDataStore store;
    ASSERT_EQ(store.Load(), 0);
    const std::vector<std::string> names = {"百度网页",   "百度新闻",   "百度MP3",    "百度图片",
                                            "GOOGLE网页", "GOOGLE图片", "GOOGLE资讯", "GOOGLE论坛"};
    ASSERT_EQ(store.engineNames.size(), names.size());
    ASSERT_EQ(store.engineUrls.size(), names.size());
    const std::vector<std::string> queries = {
        "/s?tn=vortane_dg&word=%s", "/ns?tn=vortane_dg&word=%s", "/m?tn=vortane_dg&word=%s",
        "/i?vortane_dg&word=%s",    "/search?hl=zh-CN&q=%s",     "/images?hl=zh-CN&q=%s",
        "/news?hl=zh-CN&q=%s",      "/groups?hl=zh-CN&q=%s",
    };
    for (size_t i = 0; i < names.size(); ++i) {
        std::string name(store.engineNames[i]);
        std::string url(store.engineUrls[i]);
        EXPECT_EQ(name, names[i]);
        EXPECT_EQ(url.rfind("http://", 0), 0u) << url;
        ASSERT_GT(url.size(), queries[i].size());
        EXPECT_EQ(url.substr(url.size() - queries[i].size()), queries[i]) << url;
        EXPECT_EQ(url.find("%s"), url.rfind("%s")) << url;
        EXPECT_EQ(url.find('%'), url.find("%s")) << "a stray format in " << url;
    }
    EXPECT_EQ(std::string(store.musicBoxText), "歌曲搜索");
    std::string music(store.musicSearchUrl);
    EXPECT_EQ(music.rfind("http://", 0), 0u);
    EXPECT_NE(music.find("%s"), std::string::npos);
    EXPECT_EQ(music.find('%'), music.rfind('%'));
}

TEST_F(DefaultProgramFolderTest, PageMarkersStayHiddenInsideAComment) {
    std::string page = Read("data/main.htm");
    ASSERT_FALSE(page.empty());
    size_t open = page.find("<!--");
    size_t close = page.find("-->");
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(close, std::string::npos);
    for (const char* marker :
         {"\r\nSEARCH_INFO_BEGIN\r\n", "\r\nSEARCH_INFO_END\r\n", "\r\nSEARCH_TOOL_INFO\r\n",
          "\r\nVERSION_INFO\r\n", "\r\nMAIN_PAGE_END\r\n"}) {
        size_t at = page.find(marker);
        ASSERT_NE(at, std::string::npos) << marker;
        EXPECT_GT(at, open) << marker;
        EXPECT_LT(at, close) << marker;
    }
    EXPECT_NE(page.find("charset=gb2312"), std::string::npos);

    // As an update page it announces no newer version than the program's own 180.
    CTextLineFile file;
    char line[3072];
    ASSERT_EQ(file.Open("data\\main.htm"), 0);
    ASSERT_EQ(file.FindLine("VERSION_INFO", line), 0);
    ASSERT_EQ(file.ReadValueLine(line), 0);
    EXPECT_LE(std::atoi(line), 180);
    EXPECT_EQ(file.FindLine("MAIN_PAGE_END", line), 0);
}

TEST_F(DefaultProgramFolderTest, SearchPageExists) {
    std::string page = Read("data/search.htm");
    EXPECT_NE(page.find("<form"), std::string::npos);
    EXPECT_NE(page.find("charset=gb2312"), std::string::npos);
}

}  // namespace
