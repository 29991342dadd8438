#include "platform/files/GbkNames.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

// Raw GBK bytes, so that the cases do not depend on how literals are encoded: 0x81 0x5C has a
// backslash as its second byte, 0x81 0x41 / 0x81 0x61 have the letters 'A' / 'a', 0x81 0x7C a '|'.
const std::string kBackslashTrail = "\x81\x5C";
const std::string kUpperTrail = "\x81\x41";
const std::string kLowerTrail = "\x81\x61";

TEST(GbkNamesTest, SplitsAtEitherSeparatorButNotAtASecondByte) {
    EXPECT_EQ(SplitPathNames("a\\b/c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitPathNames("\\\\a//b\\/\\c\\"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitPathNames("x" + kBackslashTrail + "y\\z"),
              (std::vector<std::string>{"x" + kBackslashTrail + "y", "z"}));
    // A lead byte at the very end has no second byte; it is a name of its own.
    EXPECT_EQ(SplitPathNames("a\\\x81"), (std::vector<std::string>{"a", "\x81"}));
    EXPECT_TRUE(SplitPathNames("\\/").empty());
}

TEST(GbkNamesTest, WildcardsMatchWholeCharactersIgnoringCase) {
    EXPECT_TRUE(MatchesWildcard("*.txt", "A.TXT"));
    EXPECT_TRUE(MatchesWildcard("*", "anything.at.all"));
    EXPECT_TRUE(MatchesWildcard("a*b*c", "aXbYbZc"));
    EXPECT_FALSE(MatchesWildcard("a*b*c", "aXbYbZ"));
    EXPECT_TRUE(MatchesWildcard("?", kBackslashTrail));
    EXPECT_FALSE(MatchesWildcard("??", kBackslashTrail));
    EXPECT_TRUE(MatchesWildcard("x?z", "x" + kUpperTrail + "z"));
    EXPECT_FALSE(MatchesWildcard(kUpperTrail, kLowerTrail));
    EXPECT_FALSE(MatchesWildcard("*.txt", "a.txt.bak"));
    EXPECT_FALSE(MatchesWildcard("?", ""));
    EXPECT_TRUE(MatchesWildcard("skin.ini", "SKIN.INI"));
}

TEST(GbkNamesTest, StarDotStarAlsoTakesNamesWithoutADot) {
    EXPECT_TRUE(MatchesWildcard("*.*", "readme"));
    EXPECT_TRUE(MatchesWildcard("*.*", "a.b"));
    EXPECT_TRUE(MatchesWildcard("*.*", "."));
    EXPECT_TRUE(MatchesWildcard("*.*", ".."));
    EXPECT_TRUE(MatchesWildcard("read*.*", "readme"));
    EXPECT_FALSE(MatchesWildcard("x*.*", "readme"));
    EXPECT_FALSE(MatchesWildcard("*.t*", "readme"));
}

TEST(GbkNamesTest, ForbiddenCharactersOutsideTwoByteCharacters) {
    EXPECT_TRUE(IsValidName("normal name.txt", false));
    for (const char* bad : {"a<b", "a>b", "a:b", "a\"b", "a|b", "a\tb"}) {
        EXPECT_FALSE(IsValidName(bad, true)) << bad;
    }
    EXPECT_FALSE(IsValidName("a?b", false));
    EXPECT_FALSE(IsValidName("*.txt", false));
    EXPECT_TRUE(IsValidName("*.t?t", true));
    EXPECT_TRUE(IsValidName("\x81\x7C", false));
    EXPECT_TRUE(HasWildcard("a*"));
    EXPECT_FALSE(HasWildcard("ab"));
}

}  // namespace
}  // namespace platform
