#include "platform/drawing/TextLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/drawing/Gdi.h"

namespace {

using platform::LayoutText;
using platform::TextLine;
using platform::TextMeasurer;

// Every byte is 1 unit wide, so a double-byte character is 2: the cell rule of the Chinese faces.
TextMeasurer ByteMeasurer() {
    return TextMeasurer{[](std::string_view text) { return static_cast<int>(text.size()); }, 10, 8};
}

std::vector<std::string> Texts(const std::vector<TextLine>& lines) {
    std::vector<std::string> texts;
    for (const TextLine& line : lines) {
        texts.push_back(line.text);
    }
    return texts;
}

TEST(TextLayout, PrefixesUnderlineTheNextCharacterAndDoubledAmpersandsStay) {
    std::vector<TextLine> lines = LayoutText("关于(&A)", DT_SINGLELINE, 100, ByteMeasurer());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "关于(A)");
    EXPECT_EQ(lines[0].underlineOffset, 5);
    EXPECT_EQ(lines[0].underlineLength, 1);
    EXPECT_EQ(lines[0].width, 7);

    lines = LayoutText("a&&b&", 0, 100, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "a&b");
    EXPECT_EQ(lines[0].underlineOffset, -1);

    // The prefix takes a whole double-byte character, even one whose second byte is '&'-like.
    lines = LayoutText("&中x", 0, 100, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "中x");
    EXPECT_EQ(lines[0].underlineLength, 2);

    lines = LayoutText("a&b", DT_NOPREFIX, 100, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "a&b");
    lines = LayoutText("a&b", DT_HIDEPREFIX, 100, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "ab");
    EXPECT_EQ(lines[0].underlineOffset, -1);
}

TEST(TextLayout, LineEndsSplitUnlessSingleLine) {
    EXPECT_EQ(Texts(LayoutText("one\r\ntwo\nthree\rfour", 0, 100, ByteMeasurer())),
              (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(Texts(LayoutText("one\r\n", 0, 100, ByteMeasurer())),
              (std::vector<std::string>{"one", ""}));
    EXPECT_EQ(LayoutText("one\r\ntwo", DT_SINGLELINE, 100, ByteMeasurer()).size(), 1u);
}

TEST(TextLayout, WordBreakWrapsAtSpacesAndAroundChineseButKeepsLongWords) {
    EXPECT_EQ(Texts(LayoutText("aaa bbb ccc", DT_WORDBREAK, 7, ByteMeasurer())),
              (std::vector<std::string>{"aaa bbb", "ccc"}));
    EXPECT_EQ(Texts(LayoutText("abcdefghij xy", DT_WORDBREAK, 4, ByteMeasurer())),
              (std::vector<std::string>{"abcdefghij", "xy"}));
    EXPECT_EQ(Texts(LayoutText("中文字符", DT_WORDBREAK, 5, ByteMeasurer())),
              (std::vector<std::string>{"中文", "字符"}));
    EXPECT_EQ(Texts(LayoutText("ab中", DT_WORDBREAK, 3, ByteMeasurer())),
              (std::vector<std::string>{"ab", "中"}));
    EXPECT_EQ(Texts(LayoutText("x  y", DT_WORDBREAK, 1, ByteMeasurer())),
              (std::vector<std::string>{"x", "y"}));
}

TEST(TextLayout, EndEllipsisCutsWholeCharactersToFit) {
    std::vector<TextLine> lines =
        LayoutText("abcdefgh", DT_SINGLELINE | DT_END_ELLIPSIS, 6, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "abc...");
    EXPECT_EQ(lines[0].width, 6);
    lines = LayoutText("中文字", DT_SINGLELINE | DT_END_ELLIPSIS, 5, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "中...");
    lines = LayoutText("abc", DT_SINGLELINE | DT_END_ELLIPSIS, 3, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "abc");
    lines = LayoutText("abcd", DT_SINGLELINE | DT_END_ELLIPSIS, 2, ByteMeasurer());
    EXPECT_EQ(lines[0].text, "...");

    // A window title of 100 KB is cut with a few dozen measurements, not one per character.
    std::string title;
    while (title.size() < 100 * 1024) {
        title += "猫cat";
    }
    int measured = 0;
    TextMeasurer counting = ByteMeasurer();
    counting.width = [&measured](std::string_view text) {
        ++measured;
        return static_cast<int>(text.size());
    };
    lines = LayoutText(title, DT_SINGLELINE | DT_END_ELLIPSIS, 12, counting);
    EXPECT_EQ(lines[0].text, "猫cat猫ca...");
    EXPECT_LT(measured, 64);
}

TEST(TextLayout, TabsMoveToTheNextStopOnlyWhenExpanded) {
    EXPECT_EQ(LayoutText("ab\tc", DT_EXPANDTABS, 100, ByteMeasurer())[0].width, 9);
    EXPECT_EQ(LayoutText("abcdefgh\tc", DT_EXPANDTABS, 100, ByteMeasurer())[0].width, 17);
    EXPECT_EQ(LayoutText("ab\tc", 0, 100, ByteMeasurer())[0].width, 4);
}

TEST(TextLayout, SplitGbkKeepsDoubleByteCharactersWhole) {
    // "表" is 0xB1 0xED, "\\" after a lead byte is a second byte.
    std::vector<platform::TextChar> chars = platform::SplitGbk("a表\x81\x5C");
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_EQ(chars[0].code, U'a');
    EXPECT_EQ(chars[1].code, U'表');
    EXPECT_EQ(chars[1].length, 2u);
    EXPECT_EQ(chars[2].length, 2u);
    EXPECT_NE(chars[2].code, U'\\');
}

}  // namespace
