// The reminder pop-up's skin in the default program folder, read the way the pop-up reads it:
// its keys found forward and case-sensitively in data\config.dat, the list's place, the
// background and the button strips loaded from their files, and where they fall on the 300 x 180
// window that the pop-up paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/drawing/Gdi.h"

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 180;
// The pop-up draws the plan's date at (5, 26) and its text from (80, 46) in a 12-pixel font; the
// user drags it by the band y <= 24, x < 200.
constexpr int kDateTop = 26;
constexpr int kTextLeft = 80;
constexpr int kTextTop = 46;
constexpr int kLineHeight = 12;
constexpr int kTextLines = 5;
constexpr int kClosedListHeight = 20;
constexpr int kFrames = 5;

struct Rect {
    int left, top, right, bottom;
    bool Overlaps(const Rect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool Inside(int width, int height) const {
        return left >= 1 && top >= 1 && right <= width - 1 && bottom <= height - 1;
    }
};

struct SkinButton {
    Rect rect;
    int state = 0, shape = 0, toggle = 0;
    std::string bitmap;
};

struct Skin {
    Rect list{};
    int listDropHeight = 0;
    std::string background;
    std::vector<SkinButton> buttons;
};

// The lines of the file as the line reader hands them out: runs of CR and LF end a line.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = text.find_first_not_of("\r\n", end);
        if (at == std::string::npos)
            break;
    }
    return lines;
}

// Reads the pop-up's three keys, each searched from the line after the previous match with a
// case-sensitive prefix comparison, and fails the test at the first step the pop-up would fail.
class SkinReader {
public:
    explicit SkinReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    bool Find(const std::string& key) {
        while (next_ < lines_.size()) {
            if (lines_[next_++].compare(0, key.size(), key) == 0)
                return true;
        }
        ADD_FAILURE() << key << " missing or out of order";
        return false;
    }

    bool ReadValue(std::string& value) {
        while (next_ < lines_.size()) {
            const std::string& line = lines_[next_++];
            if (line.rfind("//", 0) != 0) {
                value = line;
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

// A button line with every field given; the pop-up's defaults are not what this skin relies on.
bool ParseButton(const std::string& line, SkinButton& button) {
    int x = 0, y = 0, width = 0, height = 0;
    char name[260] = {};
    int fields = std::sscanf(line.c_str(), "%d,%d,%d,%d,%d,%d,%d,%259s", &x, &y, &width, &height,
                             &button.state, &button.shape, &button.toggle, name);
    button.rect = {x, y, x + width, y + height};
    button.bitmap = name;
    return fields == 8 && button.bitmap.size() == line.size() - line.rfind(',') - 1;
}

class ReminderSkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(DVTP_PROGRAM_FOLDER);
        std::ifstream file("data/config.dat", std::ios::binary);
        text_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    Skin Read() {
        Skin skin;
        SkinReader reader(Lines(text_));
        std::string value;
        if (!reader.Find("[DIALOG_PROMPT_LIST_POSITION]") || !reader.ReadValue(value))
            return skin;
        int x = 0, y = 0, width = 0, used = 0;
        EXPECT_EQ(std::sscanf(value.c_str(), "%d,%d,%d,%d%n", &x, &y, &width, &skin.listDropHeight,
                              &used),
                  4)
            << value;
        EXPECT_EQ(used, static_cast<int>(value.size())) << value;
        skin.list = {x, y, x + width, y + kClosedListHeight};
        if (!reader.Find("[BITMAP_BACKGROUND_PROMPT]") || !reader.ReadValue(skin.background))
            return skin;
        if (!reader.Find("[BUTTON_BEGIN_PROMPT]"))
            return skin;
        while (reader.ReadValue(value) && value != "[BUTTON_END]") {
            SkinButton button;
            EXPECT_TRUE(ParseButton(value, button)) << value;
            skin.buttons.push_back(button);
        }
        EXPECT_EQ(value, "[BUTTON_END]");
        return skin;
    }

    std::string text_;
    std::filesystem::path previous_;
};

// A loaded bitmap's pixels, read back through a memory device context.
class Picture {
public:
    explicit Picture(const std::string& path)
        : bitmap_(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                  LR_LOADFROMFILE | LR_DEFAULTSIZE))) {
        if (bitmap_ == nullptr)
            return;
        BITMAP info{};
        GetObjectA(bitmap_, sizeof info, &info);
        width_ = info.bmWidth;
        height_ = info.bmHeight;
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Picture() {
        if (dc_ != nullptr) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
        if (bitmap_ != nullptr)
            DeleteObject(bitmap_);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool Loaded() const { return bitmap_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HBITMAP bitmap_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

int Brightness(COLORREF colour) {
    return std::min({GetRValue(colour), GetGValue(colour), GetBValue(colour)});
}

TEST_F(ReminderSkinTest, KeysStandInReadingOrderOnCrLfLines) {
    ASSERT_FALSE(text_.empty());
    EXPECT_EQ(text_.find('\n'), text_.find("\r\n") + 1) << "line ends are CR LF";
    EXPECT_NE(text_.rfind("\r\n"), std::string::npos);
    EXPECT_EQ(text_.rfind("\r\n"), text_.size() - 2);
    // The manager's and the tray's keys share the file; the tray's must not be repeated.
    for (const char* key :
         {"[DIALOG_PROMPT_LIST_POSITION]", "[BITMAP_BACKGROUND_PROMPT]", "[BUTTON_BEGIN_PROMPT]"}) {
        EXPECT_EQ(text_.find(key), text_.rfind(key)) << key;
    }
    Skin skin = Read();
    EXPECT_FALSE(skin.background.empty());
    ASSERT_GE(skin.buttons.size(), 1u);
    EXPECT_LE(skin.buttons.size(), 10u);
}

TEST_F(ReminderSkinTest, ListAndButtonsLieInTheWindowClearOfTheTextAndOfEachOther) {
    Skin skin = Read();
    ASSERT_FALSE(skin.buttons.empty());
    const Rect dragBand{0, 0, 200, 25};
    const Rect date{5, kDateTop, kWidth, kDateTop + kLineHeight};
    const Rect text{kTextLeft, kTextTop, kWidth, kTextTop + kTextLines * kLineHeight};

    std::vector<Rect> placed = {skin.list};
    for (const SkinButton& button : skin.buttons)
        placed.push_back(button.rect);
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_TRUE(placed[i].Inside(kWidth, kHeight)) << i;
        EXPECT_FALSE(placed[i].Overlaps(dragBand)) << i;
        EXPECT_FALSE(placed[i].Overlaps(date)) << i;
        EXPECT_FALSE(placed[i].Overlaps(text)) << i;
        for (size_t j = i + 1; j < placed.size(); ++j)
            EXPECT_FALSE(placed[i].Overlaps(placed[j])) << i << " and " << j;
    }
    // The open list shows all six choices.
    EXPECT_GE(skin.listDropHeight, kClosedListHeight + 6 * kLineHeight);
    EXPECT_GE(skin.list.right - skin.list.left, 16 * 6 + 20) << "\"10分钟后再次提示\" fits";
}

// Nothing in the program fills the shape masks, so every button is drawn plainly and hit-tested
// as a rectangle.
TEST_F(ReminderSkinTest, ButtonsAreUntoggledPlainRectangles) {
    Skin skin = Read();
    ASSERT_FALSE(skin.buttons.empty());
    for (const SkinButton& button : skin.buttons) {
        EXPECT_EQ(button.state, 0);
        EXPECT_EQ(button.toggle, 0);
        EXPECT_GE(button.shape, 100);
        EXPECT_EQ(button.shape % 100, 99);
    }
}

TEST_F(ReminderSkinTest, BackgroundFillsTheWindowAndKeepsTheTextReadable) {
    Skin skin = Read();
    Picture background(skin.background);
    ASSERT_TRUE(background.Loaded()) << skin.background;
    EXPECT_EQ(background.Width(), kWidth);
    EXPECT_EQ(background.Height(), kHeight);
    // Black date and text, and the red "暂无下一个计划", go on a light ground.
    for (int y = kDateTop; y < kTextTop + kTextLines * kLineHeight; ++y) {
        for (int x = kTextLeft; x < kWidth - 1; ++x)
            ASSERT_GE(Brightness(background.Pixel(x, y)), 0xD0) << x << "," << y;
    }
    for (int y = kDateTop; y < kDateTop + kLineHeight; ++y) {
        for (int x = 5; x < kTextLeft; ++x)
            ASSERT_GE(Brightness(background.Pixel(x, y)), 0xD0) << x << "," << y;
    }
}

// Each button's strip holds one frame per state, as wide as the button; its edges repeat the
// background under the button, since the frame is copied over it as it is.
TEST_F(ReminderSkinTest, ButtonStripsHoldFiveFramesThatMatchTheBackgroundAtTheirEdges) {
    Skin skin = Read();
    Picture background(skin.background);
    ASSERT_TRUE(background.Loaded());
    ASSERT_FALSE(skin.buttons.empty());
    for (const SkinButton& button : skin.buttons) {
        Picture strip(button.bitmap);
        ASSERT_TRUE(strip.Loaded()) << button.bitmap;
        const int width = button.rect.right - button.rect.left;
        const int height = button.rect.bottom - button.rect.top;
        EXPECT_EQ(strip.Width(), kFrames * width) << button.bitmap;
        EXPECT_EQ(strip.Height(), height) << button.bitmap;
        for (int frame = 0; frame < kFrames; ++frame) {
            const int left = frame * width;
            for (auto [x, y] : {std::pair{0, 0}, std::pair{width - 1, 0}, std::pair{0, height - 1},
                                std::pair{width - 1, height - 1}}) {
                EXPECT_EQ(strip.Pixel(left + x, y),
                          background.Pixel(button.rect.left + x, button.rect.top + y))
                    << button.bitmap << " frame " << frame << " at " << x << "," << y;
            }
            for (int other = frame + 1; other < kFrames; ++other) {
                bool same = true;
                for (int y = 0; y < height && same; ++y) {
                    for (int x = 0; x < width && same; ++x)
                        same = strip.Pixel(left + x, y) == strip.Pixel(other * width + x, y);
                }
                EXPECT_FALSE(same) << button.bitmap << " frames " << frame << " and " << other;
            }
        }
    }
}

}  // namespace
