#include "platform/controls/EditText.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

// Every byte is 10 pixels wide, so a two-byte character is 20.
int TenPerByte(std::string_view text) {
    return static_cast<int>(text.size()) * 10;
}

TEST(EditTextTest, SelectionSnapsBackToCharacterAndLineBreakBoundaries) {
    EditText text(true);
    text.SetText(
        "a\xD6\xD0"
        "b\r\nc");
    text.Select(2, 5);
    EXPECT_EQ(text.anchor(), 1u);  // inside the two-byte character
    EXPECT_EQ(text.caret(), 4u);   // between CR and LF
    text.Select(100, 0);
    EXPECT_EQ(text.anchor(), 7u);
    EXPECT_EQ(text.selection().start, 0u);
    EXPECT_EQ(text.selection().end, 7u);
}

TEST(EditTextTest, StepsTreatTwoByteCharactersAndLineBreaksAsOne) {
    EditText text(true);
    text.SetText("\xD6\xD0\r\nx");
    EXPECT_EQ(text.NextChar(0), 2u);
    EXPECT_EQ(text.NextChar(2), 4u);
    EXPECT_EQ(text.NextChar(4), 5u);
    EXPECT_EQ(text.NextChar(5), 5u);
    EXPECT_EQ(text.PreviousChar(5), 4u);
    EXPECT_EQ(text.PreviousChar(4), 2u);
    EXPECT_EQ(text.PreviousChar(2), 0u);
    EXPECT_EQ(text.PreviousChar(0), 0u);
}

TEST(EditTextTest, TrailBytesThatLookLikeLeadBytesAreNotCharacterStarts) {
    // 0xB1 0xB1 twice: every byte is a possible lead byte, only even offsets start characters.
    EditText text(false);
    text.SetText("\xB1\xB1\xB1\xB1");
    EXPECT_EQ(text.PreviousChar(4), 2u);
    text.Select(3, 3);
    EXPECT_EQ(text.caret(), 2u);
}

TEST(EditTextTest, LimitCountsCharactersAndCutsWithoutSplittingOne) {
    EditText text(false);
    text.SetLimit(5);
    text.SetText("abcd");
    text.Select(4, 4);
    // Room for one character: the first two-byte character fits whole, the second is cut off.
    EXPECT_EQ(text.ReplaceSelection("\xD6\xD0\xCE\xC4", true), EditText::Insert::Cut);
    EXPECT_EQ(text.text(), "abcd\xD6\xD0");
    EXPECT_EQ(text.caret(), 6u);
    EXPECT_EQ(text.ReplaceSelection("x", false), EditText::Insert::Refused);
    EXPECT_EQ(text.text(), "abcd\xD6\xD0");
}

TEST(EditTextTest, LimitCountsTheSelectionAsFreedRoom) {
    EditText text(false);
    text.SetLimit(4);
    text.SetText("abcd");
    text.Select(1, 3);
    EXPECT_EQ(text.ReplaceSelection("\xD6\xD0\xCE\xC4\xB1\xB1", false), EditText::Insert::Cut);
    EXPECT_EQ(text.text(),
              "a\xD6\xD0\xCE\xC4"
              "d");
}

TEST(EditTextTest, SetTextIsNeverLimitedAndClearsUndoAndModified) {
    EditText text(false);
    text.SetLimit(2);
    text.SetText("abc");
    text.Select(3, 3);
    text.ReplaceSelection("d", true);
    EXPECT_EQ(text.text(), "abc");
    text.Select(0, 3);
    text.ReplaceSelection("x", false);
    EXPECT_TRUE(text.modified());
    EXPECT_TRUE(text.CanUndo());
    text.SetText("new");
    EXPECT_FALSE(text.modified());
    EXPECT_FALSE(text.CanUndo());
    EXPECT_EQ(text.caret(), 0u);
}

TEST(EditTextTest, TypingJoinsIntoOneUndoStepAndUndoTwiceRedoes) {
    EditText text(false);
    text.SetText("x");
    text.Select(1, 1);
    text.ReplaceSelection("a", true);
    text.ReplaceSelection("b", true);
    text.ReplaceSelection("c", true);
    EXPECT_EQ(text.text(), "xabc");
    ASSERT_TRUE(text.Undo());
    EXPECT_EQ(text.text(), "x");
    EXPECT_EQ(text.caret(), 1u);
    ASSERT_TRUE(text.Undo());
    EXPECT_EQ(text.text(), "xabc");
    EXPECT_EQ(text.caret(), 4u);
}

TEST(EditTextTest, MovingTheCaretStartsANewUndoStep) {
    EditText text(false);
    text.SetText("");
    text.ReplaceSelection("a", true);
    text.Select(0, 0);
    text.ReplaceSelection("b", true);
    ASSERT_TRUE(text.Undo());
    EXPECT_EQ(text.text(), "a");
    text.EmptyUndo();
    EXPECT_FALSE(text.Undo());
}

TEST(EditTextTest, WordsAreRunsBetweenSpaces) {
    EditText text(false);
    text.SetText("one  two\xD6\xD0 three");
    EXPECT_EQ(text.WordStart(6), 5u);
    EXPECT_EQ(text.WordEnd(6), 10u);
    EXPECT_EQ(text.NextWord(0), 5u);
    EXPECT_EQ(text.NextWord(5), 11u);
    EXPECT_EQ(text.PreviousWord(11), 5u);
    EXPECT_EQ(text.PreviousWord(5), 0u);
}

TEST(EditTextTest, HardLinesSplitAtCrLfOnly) {
    EditText text(true);
    text.SetText("ab\r\n\r\nc\nd\r");
    ASSERT_EQ(text.LineCount(), 3);
    EXPECT_EQ(text.LineText(0), "ab");
    EXPECT_EQ(text.LineText(1), "");
    EXPECT_EQ(text.LineText(2), "c\nd\r");
    EXPECT_EQ(text.lines()[2].start, 6u);
    EXPECT_EQ(text.LineFromOffset(2), 0);
    EXPECT_EQ(text.LineFromOffset(4), 1);
    EXPECT_EQ(text.LineFromOffset(100), 2);
}

TEST(EditTextTest, SingleLineTextIsOneLineWhateverItHolds) {
    EditText text(false);
    text.SetText("a\r\nb");
    EXPECT_EQ(text.LineCount(), 1);
    EXPECT_EQ(text.LineText(0), "a\r\nb");
}

TEST(EditTextTest, WrapBreaksAfterSpacesAndKeepsTrailingSpacesOnTheLine) {
    EditText text(true);
    text.SetText("aaa bbb  ccc");
    text.SetLayout(TenPerByte, 50);
    ASSERT_EQ(text.LineCount(), 3);
    EXPECT_EQ(text.LineText(0), "aaa ");
    EXPECT_EQ(text.LineText(1), "bbb  ");
    EXPECT_EQ(text.LineText(2), "ccc");
    // The offset at a soft break belongs to the line it starts.
    EXPECT_EQ(text.LineFromOffset(4), 1);
}

TEST(EditTextTest, WrapBreaksALongWordBetweenCharactersNeverInsideOne) {
    EditText text(true);
    text.SetText(
        "ab\xD6\xD0\xCE\xC4"
        "cd");
    text.SetLayout(TenPerByte, 30);
    ASSERT_EQ(text.LineCount(), 4);
    EXPECT_EQ(text.LineText(0), "ab");
    EXPECT_EQ(text.LineText(1), "\xD6\xD0");
    EXPECT_EQ(text.LineText(2),
              "\xCE\xC4"
              "c");
    EXPECT_EQ(text.LineText(3), "d");
}

TEST(EditTextTest, WrapGivesEveryLineAtLeastOneCharacter) {
    EditText text(true);
    text.SetText("\xD6\xD0\xD6\xD0");
    text.SetLayout(TenPerByte, 5);
    ASSERT_EQ(text.LineCount(), 2);
    EXPECT_EQ(text.LineText(0), "\xD6\xD0");
}

TEST(EditTextTest, PositionsMapToPixelsAndBack) {
    EditText text(true);
    text.SetText("ab\xD6\xD0\r\nxyz");
    text.SetLayout(TenPerByte, 0);
    EXPECT_EQ(text.XOf(2), 20);
    EXPECT_EQ(text.XOf(4), 40);
    EXPECT_EQ(text.XOf(7), 10);
    EXPECT_EQ(text.OffsetAtX(0, 24), 2u);
    EXPECT_EQ(text.OffsetAtX(0, 31), 4u);  // past the middle of the wide character
    EXPECT_EQ(text.OffsetAtX(0, 500), 4u);
    EXPECT_EQ(text.OffsetAtX(1, -3), 6u);
    EXPECT_EQ(text.OffsetAtX(9, 15), 8u);
}

}  // namespace
}  // namespace platform
