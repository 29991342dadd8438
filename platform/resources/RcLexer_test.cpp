#include "platform/resources/RcLexer.h"

#include <gtest/gtest.h>

#include "platform/resources/RcError.h"

namespace platform {
namespace {

std::vector<RcToken> Lex(const std::string& text) {
    return RcLexer(text, std::make_shared<const std::string>("a.rc")).Tokenize();
}

std::string ErrorOf(const std::string& text) {
    try {
        Lex(text);
    } catch (const RcError& error) {
        return error.what();
    }
    return "";
}

TEST(RcLexerTest, NumbersInEveryBase) {
    std::vector<RcToken> tokens = Lex("0x1F 017 42L 7u 0");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].number, 31);
    EXPECT_EQ(tokens[1].number, 15);
    EXPECT_EQ(tokens[2].number, 42);
    EXPECT_TRUE(tokens[2].longSuffix);
    EXPECT_FALSE(tokens[3].longSuffix);
    EXPECT_EQ(tokens[4].number, 0);
    EXPECT_EQ(ErrorOf("\n09"), "a.rc:2: malformed octal number");
    EXPECT_EQ(ErrorOf("0x"), "a.rc:1: malformed hexadecimal number");
    EXPECT_EQ(ErrorOf("12ab"), "a.rc:1: malformed number '12a'");
}

TEST(RcLexerTest, CommentsDirectivesAndLines) {
    std::vector<RcToken> tokens =
        Lex("\xEF\xBB\xBF// comment\n"
            "/* two\nlines */ BEGIN\n"
            "  #define A \\\n  (1 + 2) // tail\n"
            "x<<=y");
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_TRUE(tokens[0].Is(RcTokenKind::Identifier, "BEGIN"));
    EXPECT_EQ(tokens[0].line, 3);
    EXPECT_EQ(tokens[1].kind, RcTokenKind::Directive);
    EXPECT_EQ(tokens[1].text, "define A    (1 + 2) // tail");
    EXPECT_EQ(tokens[1].line, 4);
    EXPECT_TRUE(tokens[2].Is(RcTokenKind::Identifier, "x"));
    EXPECT_EQ(tokens[2].line, 6);
    EXPECT_TRUE(tokens[3].IsPunctuation("<<"));
    EXPECT_TRUE(tokens[4].IsPunctuation("="));

    EXPECT_EQ(ErrorOf("a # b"), "a.rc:1: unexpected '#'");
    EXPECT_EQ(ErrorOf("\n/* open"), "a.rc:2: unterminated comment");
    EXPECT_EQ(ErrorOf("\xE4\xB8\xAD"), "a.rc:1: unexpected byte 228");
}

TEST(RcLexerTest, StringLiterals) {
    std::vector<RcToken> tokens = Lex("\"a\"\"b\\a\\0\\377x\" L\"w\" \"\"");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].text, std::string("a\"b\b\0\xFFx", 7));
    EXPECT_EQ(tokens[1].text, "w");
    EXPECT_EQ(tokens[2].text, "");
    // UTF-8 becomes GBK; a byte that is not UTF-8 cannot be converted.
    EXPECT_EQ(Lex("\"\xE5\xAE\x8B\xE4\xBD\x93\"")[0].text, "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(Lex("\"?\xE4\xB8\xAD?\"")[0].text, "?\xD6\xD0?");
    EXPECT_EQ(ErrorOf("\"\xF0\x9F\x98\x80\""),
              "a.rc:1: string is not UTF-8 text that GBK can hold");
    EXPECT_EQ(ErrorOf("\"\xFF\""), "a.rc:1: string is not UTF-8 text that GBK can hold");
    EXPECT_EQ(ErrorOf("\"\\x\""), "a.rc:1: \\x without hexadecimal digits");
    EXPECT_EQ(ErrorOf("\"abc"), "a.rc:1: unterminated string");
    EXPECT_EQ(ErrorOf("\n\"abc\\\n\""), "a.rc:2: unterminated string");
}

}  // namespace
}  // namespace platform
