#include "picture/KeyedTextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"

namespace {

using namespace std::string_literals;

class KeyedTextFileTest : public ::testing::Test {
protected:
    KeyedTextFileTest() { platform::MapDrive('C', folder_.path()); }
    ~KeyedTextFileTest() override { platform::UnmapDrive('C'); }

    // Stores `text` as the picture collector does: byte k XOR key[k mod key length].
    void WriteEnciphered(const std::string& name, std::string text, const std::string& key) {
        for (size_t k = 0; k < text.size(); ++k) {
            text[k] ^= key[k % key.size()];
        }
        folder_.WriteFile(name, text);
    }

    std::vector<std::string> ReadAllLines() {
        std::vector<std::string> lines;
        CString line;
        while (file_.ReadLine(line) == 0) {
            lines.emplace_back(line.view());
        }
        return lines;
    }

    platform::testing::TempFolder folder_;
    CKeyedTextFile file_;
};

TEST_F(KeyedTextFileTest, DeciphersWithTheKeyPositionCountedFromTheFileStart) {
    // Byte 9 (the CR) wraps round to key byte 0.
    folder_.WriteFile("html/urllist.dat",
                      "\x55\x3F\x0A\x1F\x4D\x2E\x59\x14\x06\x7D\x66\x4A\x0E\x15\x07\x4C"s);
    ASSERT_EQ(file_.Load("C:\\html\\urllist.dat", kScriptFileKey), 0);
    EXPECT_EQ(file_.GetContent().view(), "%Set @a 1\r\n%exit");
    EXPECT_EQ(file_.GetLength(), 16);

    folder_.WriteFile("data/list/class.dat", "\x6E\x7B\x7F\x70\x63\x64\x27\x75\x68\x03\x15\x5A"s);
    ASSERT_EQ(file_.Load("C:/data/list/class.dat", kClassListKey), 0);
    EXPECT_EQ(file_.GetContent().view(), "[CLASS]\r\nabc");

    // 5120 is not a multiple of either key length, so a key restarted at the second block
    // would garble every byte from 5120 on.
    for (const std::string key : {kScriptFileKey, kClassListKey}) {
        std::string text(5120 * 2 + 77, 'x');
        text.replace(5110, 20, "crossing the boundar");
        WriteEnciphered("long.dat", text, key);
        ASSERT_EQ(file_.Load("C:\\long.dat", key.c_str()), 0);
        EXPECT_EQ(file_.GetContent().view(), text) << key;
        EXPECT_EQ(file_.GetLength(), 5120 * 2 + 77);
    }
}

TEST_F(KeyedTextFileTest, KeepsEveryByteAfterANul) {
    std::string text(5120 + 300, 'a');
    for (size_t at : {0u, 17u, 5119u, 5120u, 5121u, 5419u}) {
        text[at] = '\0';
    }
    folder_.WriteFile("plain.dat", text);
    ASSERT_EQ(file_.Load("C:\\plain.dat", ""), 0);
    EXPECT_EQ(file_.GetContent().view(), text);
    EXPECT_EQ(file_.GetLength(), 5420);

    // Enciphered, a NUL in the text is a file byte equal to its key byte.
    WriteEnciphered("keyed.dat", text, kScriptFileKey);
    ASSERT_EQ(file_.Load("C:\\keyed.dat", kScriptFileKey), 0);
    EXPECT_EQ(file_.GetContent().view(), text);

    folder_.WriteFile("lines.dat", "a\0b \r\n\0\n"s);
    ASSERT_EQ(file_.Load("C:\\lines.dat", nullptr), 0);
    EXPECT_EQ(ReadAllLines(), (std::vector<std::string>{"a\0b"s, "\0"s}));
}

TEST_F(KeyedTextFileTest, SplitsAndTrimsLines) {
    folder_.WriteFile("script.dat",
                      "\r\n\r\nfirst  \r\n\r\n   \n\t second\tline \r\n\v\f\xD6\xD0\x81\x5C\f\n"
                      "\n\r\nlast without end");
    ASSERT_EQ(file_.Load("C:\\script.dat", nullptr), 0);
    // Only the break at the very start gives an empty line; a line of blanks gives "" too.
    EXPECT_EQ(ReadAllLines(), (std::vector<std::string>{"", "first", "", "second\tline",
                                                        "\xD6\xD0\x81\x5C", "last without end"}));

    CString line("kept");
    EXPECT_EQ(file_.ReadLine(line), 1);
    EXPECT_EQ(line.view(), "kept");

    folder_.WriteFile("end.dat", "only\r\n\r\n");
    ASSERT_EQ(file_.Load("C:\\end.dat", nullptr), 0);
    EXPECT_EQ(ReadAllLines(), std::vector<std::string>{"only"});
}

TEST_F(KeyedTextFileTest, EmptyMissingAndUnreadableFiles) {
    folder_.WriteFile("empty.dat", "");
    ASSERT_EQ(file_.Load("C:\\empty.dat", kScriptFileKey), 0);
    EXPECT_EQ(file_.GetLength(), 0);
    CString line("kept");
    EXPECT_EQ(file_.ReadLine(line), 1);
    EXPECT_EQ(line.view(), "kept");

    // A failed load drops what an earlier load held and starts the lines afresh.
    folder_.WriteFile("two.dat", "one\ntwo");
    ASSERT_EQ(file_.Load("C:\\two.dat", nullptr), 0);
    ASSERT_EQ(file_.ReadLine(line), 0);
    EXPECT_EQ(file_.Load("C:\\missing.dat", nullptr), 1);
    EXPECT_TRUE(file_.GetContent().IsEmpty());
    EXPECT_EQ(file_.GetLength(), 0);
    EXPECT_EQ(file_.ReadLine(line), 1);
    EXPECT_EQ(file_.Load("Q:\\unmapped.dat", nullptr), 1);

    // A folder is no file to read.
    folder_.WriteFile("html/x.dat", "x");
    EXPECT_EQ(file_.Load("C:\\html", nullptr), 1);
    EXPECT_TRUE(file_.GetContent().IsEmpty());

    ASSERT_EQ(file_.Load("C:\\two.dat", nullptr), 0);
    EXPECT_EQ(ReadAllLines(), (std::vector<std::string>{"one", "two"}));
}

}  // namespace
