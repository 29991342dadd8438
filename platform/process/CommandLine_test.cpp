#include "platform/process/CommandLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using platform::SplitCommandLine;
using platform::SplitProgramCommandLine;
using testing::ElementsAre;
using testing::IsEmpty;

TEST(CommandLineTest, BlanksSeparateOutsideQuotes) {
    EXPECT_THAT(SplitCommandLine("  a\tb   c "), ElementsAre("a", "b", "c"));
    EXPECT_THAT(SplitCommandLine("\"a b\" c\"d e\"f"), ElementsAre("a b", "cd ef"));
    EXPECT_THAT(SplitCommandLine("\"\" x"), ElementsAre("", "x"));
    EXPECT_THAT(SplitCommandLine("   "), IsEmpty());
    EXPECT_THAT(SplitCommandLine("\"unterminated  text"), ElementsAre("unterminated  text"));
}

TEST(CommandLineTest, BackslashesEscapeOnlyBeforeAQuote) {
    EXPECT_THAT(SplitCommandLine(R"(C:\a\b\ d\\)"), ElementsAre(R"(C:\a\b\)", R"(d\\)"));
    EXPECT_THAT(SplitCommandLine(R"(a\"b)"), ElementsAre(R"(a"b)"));
    EXPECT_THAT(SplitCommandLine(R"(a\\"b c")"), ElementsAre(R"(a\b c)"));
    EXPECT_THAT(SplitCommandLine(R"(a\\\"b c)"), ElementsAre(R"(a\"b)", "c"));
    EXPECT_THAT(SplitCommandLine(R"("a""b" c)"), ElementsAre(R"(a"b)", "c"));
}

TEST(CommandLineTest, SecondByteOfGbkCharacterIsNeitherBackslashNorQuote) {
    // 0x95 0x5C is one character whose second byte is that of a backslash.
    const std::string word = "\x95\x5c\"x y\"";
    EXPECT_THAT(SplitCommandLine(word), ElementsAre("\x95\x5cx y"));
    EXPECT_THAT(SplitCommandLine("\xB1\xED z"), ElementsAre("\xB1\xED", "z"));
}

TEST(CommandLineTest, ProgramNameTakesNoEscapes) {
    EXPECT_THAT(SplitProgramCommandLine(R"("C:\Program Files\x.exe" "a b" c)"),
                ElementsAre(R"(C:\Program Files\x.exe)", "a b", "c"));
    EXPECT_THAT(SplitProgramCommandLine(R"(C:\dir\\x.exe\ update)"),
                ElementsAre(R"(C:\dir\\x.exe\)", "update"));
    EXPECT_THAT(SplitProgramCommandLine("  ux.exe"), ElementsAre("ux.exe"));
    EXPECT_THAT(SplitProgramCommandLine("\"open ended"), ElementsAre("open ended"));
    EXPECT_THAT(SplitProgramCommandLine(" \t"), IsEmpty());
}

}  // namespace
