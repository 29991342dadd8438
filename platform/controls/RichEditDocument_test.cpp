#include "platform/controls/RichEditDocument.h"

#include <gtest/gtest.h>

#include <cstring>

namespace platform::views {
namespace {

CHARFORMATA Format(DWORD mask, DWORD effects, COLORREF color = 0, LONG height = 0,
                   const char* face = "") {
    CHARFORMATA format{};
    format.cbSize = sizeof(format);
    format.dwMask = mask;
    format.dwEffects = effects;
    format.crTextColor = color;
    format.yHeight = height;
    std::strncpy(format.szFaceName, face, sizeof(format.szFaceName) - 1);
    return format;
}

TEST(RichEditDocumentTest, LineEndsBecomeCrLfAndPositionsStayOnCharacters) {
    RichEditDocument document;
    document.Replace(0, 0, "中\nab\rc\r\nd");
    EXPECT_EQ(document.Text(), "中\r\nab\r\nc\r\nd");
    // Inside the two-byte character or between CR and LF, positions fall back.
    EXPECT_EQ(document.Snap(1), 0U);
    EXPECT_EQ(document.Snap(3), 2U);
    EXPECT_EQ(document.Snap(4), 4U);
    EXPECT_EQ(document.Snap(100), document.Size());
    EXPECT_EQ(document.NextChar(0), 2U);
    EXPECT_EQ(document.NextChar(2), 4U);
    EXPECT_EQ(document.PreviousChar(4), 2U);
    EXPECT_EQ(document.PreviousChar(2), 0U);
    EXPECT_EQ(document.LineCount(), 4);
    EXPECT_EQ(document.LineOf(3), 0);
    EXPECT_EQ(document.LineOf(4), 1);
    EXPECT_EQ(document.LineStart(2), 8U);
    EXPECT_EQ(document.LineLength(1), 2U);
    EXPECT_EQ(document.LineLength(3), 1U);
    EXPECT_EQ(document.LineStart(4), std::string::npos);
}

TEST(RichEditDocumentTest, FormatsApplyToRangesAndReportWhatIsCommon) {
    RichEditDocument document;
    document.Replace(0, 0, "hello world");
    document.ApplyFormat(0, 5, Format(CFM_BOLD | CFM_COLOR, CFE_BOLD, RGB(255, 0, 0)));
    CHARFORMATA out{};
    out.cbSize = sizeof(out);
    DWORD mask = document.RangeFormat(0, 5, &out);
    EXPECT_EQ(mask, static_cast<DWORD>(CFM_ALL));
    EXPECT_EQ(out.dwEffects & (CFE_BOLD | CFE_AUTOCOLOR), static_cast<DWORD>(CFE_BOLD));
    EXPECT_EQ(out.crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(out.yHeight, 180);
    EXPECT_STREQ(out.szFaceName, "宋体");

    mask = document.RangeFormat(3, 8, &out);
    EXPECT_EQ(mask & CFM_BOLD, 0U);
    EXPECT_EQ(mask & CFM_COLOR, 0U);
    EXPECT_EQ(mask & CFM_ITALIC, static_cast<DWORD>(CFM_ITALIC));
    EXPECT_EQ(mask & CFM_SIZE, static_cast<DWORD>(CFM_SIZE));

    // The default changes only what was never formatted.
    document.SetDefaultFormat(Format(CFM_COLOR | CFM_SIZE, 0, RGB(0, 0, 255), 240));
    EXPECT_EQ(document.FormatAt(7).color, RGB(0, 0, 255));
    EXPECT_EQ(document.FormatAt(7).height, 240);
    EXPECT_EQ(document.FormatAt(1).color, RGB(255, 0, 0));
    EXPECT_EQ(document.FormatAt(1).height, 180);
}

TEST(RichEditDocumentTest, InsertedTextTakesThePendingOrThePrecedingFormat) {
    RichEditDocument document;
    document.Replace(0, 0, "ab");
    document.ApplyFormat(1, 2, Format(CFM_ITALIC, CFE_ITALIC));
    document.Replace(2, 2, "c");
    EXPECT_TRUE(document.FormatAt(2).effects & CFE_ITALIC);
    document.Replace(1, 1, "x");
    EXPECT_FALSE(document.FormatAt(1).effects & CFE_ITALIC);

    document.SetPendingFormat(4, Format(CFM_UNDERLINE, CFE_UNDERLINE));
    EXPECT_TRUE(document.InsertionFormat(4).effects & CFE_UNDERLINE);
    EXPECT_TRUE(document.InsertionFormat(4).effects & CFE_ITALIC);
    document.Replace(4, 4, "d");
    EXPECT_EQ(document.FormatAt(4).effects & (CFE_UNDERLINE | CFE_ITALIC),
              static_cast<DWORD>(CFE_UNDERLINE | CFE_ITALIC));
    // The pending format serves one insertion.
    document.Replace(0, 0, "z");
    EXPECT_FALSE(document.FormatAt(0).effects & CFE_UNDERLINE);
}

TEST(RichEditDocumentTest, FaceNamesAreCutToThirtyOneBytesOnACharacterBoundary) {
    RichEditDocument document;
    document.Replace(0, 0, "x");
    // 29 ASCII bytes, then a two-byte character that would end at byte 31, then more.
    CHARFORMATA format = Format(CFM_FACE, 0);
    std::memset(format.szFaceName, 0, sizeof(format.szFaceName));
    std::memcpy(format.szFaceName, "ABCDEFGHIJKLMNOPQRSTUVWXYZabc", 29);
    std::memcpy(format.szFaceName + 29, "体", 2);
    std::memcpy(format.szFaceName + 31, "Q", 1);
    document.ApplyFormat(0, 1, format);
    EXPECT_EQ(document.FormatAt(0).face, std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabc") + "体");
    std::memset(format.szFaceName, 'A', 30);
    std::memcpy(format.szFaceName + 30, "体", 2);
    document.ApplyFormat(0, 1, format);
    EXPECT_EQ(document.FormatAt(0).face, std::string(30, 'A'));
}

TEST(RichEditDocumentTest, AlignmentBelongsToWholeParagraphs) {
    RichEditDocument document;
    document.Replace(0, 0, "one\r\ntwo\r\nthree");
    document.SetAlignment(6, 6, PFA_CENTER);
    EXPECT_EQ(document.AlignmentAt(0), PFA_LEFT);
    EXPECT_EQ(document.AlignmentAt(5), PFA_CENTER);
    EXPECT_EQ(document.AlignmentAt(9), PFA_CENTER);
    EXPECT_EQ(document.AlignmentAt(10), PFA_LEFT);
    WORD alignment = 0;
    EXPECT_FALSE(document.RangeAlignment(0, 7, &alignment));
    EXPECT_TRUE(document.RangeAlignment(5, 7, &alignment));
    EXPECT_EQ(alignment, PFA_CENTER);
    // A range that ends where a paragraph starts leaves that paragraph alone.
    document.SetAlignment(0, 5, PFA_RIGHT);
    EXPECT_EQ(document.AlignmentAt(0), PFA_RIGHT);
    EXPECT_EQ(document.AlignmentAt(5), PFA_CENTER);

    // A new line end splits a paragraph into two of the same alignment; removing one joins them
    // under the first one's alignment.
    document.Replace(6, 6, "\r\n");
    EXPECT_EQ(document.AlignmentAt(6), PFA_CENTER);
    EXPECT_EQ(document.AlignmentAt(8), PFA_CENTER);
    document.Replace(3, 5, "");
    EXPECT_EQ(document.Text(), "onet\r\nwo\r\nthree");
    EXPECT_EQ(document.AlignmentAt(2), PFA_RIGHT);

    // The empty paragraph after a final line end keeps its own alignment.
    document.Replace(document.Size(), document.Size(), "\r\n");
    document.SetAlignment(document.Size(), document.Size(), PFA_CENTER);
    EXPECT_EQ(document.AlignmentAt(document.Size()), PFA_CENTER);
    EXPECT_EQ(document.AlignmentAt(document.Size() - 3), PFA_LEFT);
}

TEST(RichEditDocumentTest, SavedStatesComeBackWhole) {
    RichEditDocument document;
    document.Replace(0, 0, "abc");
    document.ApplyFormat(0, 1, Format(CFM_BOLD, CFE_BOLD));
    const RichEditDocument::State saved = document.Save();
    document.Replace(0, 3, "zz");
    document.SetAlignment(0, 0, PFA_RIGHT);
    document.Restore(saved);
    EXPECT_EQ(document.Text(), "abc");
    EXPECT_TRUE(document.FormatAt(0).effects & CFE_BOLD);
    EXPECT_EQ(document.AlignmentAt(0), PFA_LEFT);
    document.SetText("x\ny");
    EXPECT_EQ(document.Text(), "x\r\ny");
    EXPECT_FALSE(document.FormatAt(0).effects & CFE_BOLD);
}

}  // namespace
}  // namespace platform::views
