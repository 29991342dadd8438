#include "platform/registry/RegistryText.h"

#include <gtest/gtest.h>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryPath.h"

namespace platform {
namespace {

constexpr std::string_view kHead = "larchway-registry 1\nkey \"HKEY_USERS\" 0000000000000000\n";

TEST(RegistryTextTest, WritesParentsFirstWithEverythingOddEscaped) {
    auto top = NewRegistry();
    RegistryNode& software = top->FindChild("HKEY_LOCAL_MACHINE")->AddChild("Soft ware", 0x1D2);
    RegistryNode& gbk = software.AddChild("\xC4\x5C%\"", 0x01DA0C5E7B3A1F00);
    software.SetValue("", REG_SZ, std::string("0.9\0", 4));
    software.SetValue("b", REG_DWORD, std::string("\x01\x00\xFF\x7F", 4));
    gbk.SetValue("\xB0\xA1", REG_BINARY, "");

    EXPECT_EQ(FormatRegistryText(*top),
              "larchway-registry 1\n"
              "key \"HKEY_CLASSES_ROOT\" 0000000000000000\n"
              "key \"HKEY_CURRENT_CONFIG\" 0000000000000000\n"
              "key \"HKEY_CURRENT_USER\" 0000000000000000\n"
              "key \"HKEY_LOCAL_MACHINE\" 0000000000000000\n"
              "key \"HKEY_LOCAL_MACHINE\\Soft%20ware\" 00000000000001D2\n"
              "value \"\" 1 \"0.9%00\"\n"
              "value \"b\" 4 \"%01%00%FF%7F\"\n"
              "key \"HKEY_LOCAL_MACHINE\\Soft%20ware\\%C4%5C%25%22\" 01DA0C5E7B3A1F00\n"
              "value \"%B0%A1\" 3 \"\"\n"
              "key \"HKEY_USERS\" 0000000000000000\n"
              "end 7 3\n");
}

TEST(RegistryTextTest, RoundTripKeepsEveryByteAndAddsMissingRoots) {
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte) {
        allBytes += static_cast<char>(byte);
    }
    auto top = NewRegistry();
    top->FindChild("HKEY_CURRENT_USER")
        ->AddChild("Zeta", 7)
        .SetValue("\x81\x5C", 0xFFFFFFFF, allBytes);
    std::string text = FormatRegistryText(*top);
    auto parsed = ParseRegistryText(text);
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(FormatRegistryText(*parsed), text);
    const RegistryValue* value =
        parsed->FindChild("HKEY_CURRENT_USER")->FindChild("zeta")->FindValue("\x81\x5C");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, 0xFFFFFFFFu);
    EXPECT_EQ(value->data, allBytes);

    parsed = ParseRegistryText(std::string(kHead) + "end 1 0\n");
    ASSERT_NE(parsed, nullptr);
    EXPECT_EQ(parsed->children().size(), 5u);
}

TEST(RegistryTextTest, RefusesDamagedText) {
    const std::string head(kHead);
    const std::string damaged[] = {
        "",
        "larchway-registry 2\nend 0 0\n",
        // Truncated, or counts that do not match.
        head,
        head + "end 1 0",
        head + "end 2 0\n",
        head + "end 1 -0\n",
        head + "value \"a\" 1 \"\"\nend 1 0\n",
        // Anything after the end line, or lines in another form.
        head + "end 1 0\n\n",
        head + "end 1 0\nend 1 0\n",
        "larchway-registry 1\r\nend 0 0\r\n",
        // Unknown roots, missing parents, duplicates, empty names.
        "larchway-registry 1\nkey \"HKEY_OTHER\" 0000000000000000\nend 1 0\n",
        "larchway-registry 1\nkey \"hkey_users\" 0000000000000000\nend 1 0\n",
        head + "key \"HKEY_USERS\\a\\b\" 0000000000000000\nend 2 0\n",
        head + "key \"HKEY_USERS\" 0000000000000000\nend 2 0\n",
        head +
            "key \"HKEY_USERS\\a\" 0000000000000000\nkey \"HKEY_USERS\\A\" 0000000000000000\n"
            "end 3 0\n",
        head + "key \"HKEY_USERS\\\" 0000000000000000\nend 2 0\n",
        // Times must be 16 hexadecimal digits.
        "larchway-registry 1\nkey \"HKEY_USERS\" 000000000000000\nend 1 0\n",
        "larchway-registry 1\nkey \"HKEY_USERS\" 000000000000000G\nend 1 0\n",
        // Values outside a key, duplicated, or badly written.
        "larchway-registry 1\nvalue \"a\" 1 \"\"\nend 0 1\n",
        head + "value \"a\" 1 \"\"\nvalue \"A\" 1 \"\"\nend 1 2\n",
        head + "value \"a\" 4294967296 \"\"\nend 1 1\n",
        head + "value \"a\" 1 \"%4\"\nend 1 1\n",
        head + "value \"a\" 1 \"%4G\"\nend 1 1\n",
        head + "value \"a b\" 1 \"\"\nend 1 1\n",
        head + "value \"a\\b\" 1 \"\"\nend 1 1\n",
        head + "value \"a\" 1 \"\xB0\xA1\"\nend 1 1\n",
        head + "value \"a\" 1  \"\"\nend 1 1\n",
        head + "value a 1 \"\"\nend 1 1\n",
    };
    for (const std::string& text : damaged) {
        EXPECT_EQ(ParseRegistryText(text), nullptr) << text;
    }
}

TEST(RegistryTextTest, RefusesNamesDataAndDepthBeyondTheLimits) {
    const std::string head(kHead);
    auto withValue = [&](std::size_t nameLength, std::size_t dataLength) {
        return ParseRegistryText(head + "value \"" + std::string(nameLength, 'n') + "\" 3 \"" +
                                 std::string(dataLength, 'd') + "\"\nend 1 1\n");
    };
    EXPECT_NE(withValue(kMaxValueNameLength, kMaxValueDataSize), nullptr);
    EXPECT_EQ(withValue(kMaxValueNameLength + 1, 0), nullptr);
    EXPECT_EQ(withValue(0, kMaxValueDataSize + 1), nullptr);

    auto withKey = [&](const std::string& name) {
        return ParseRegistryText(head + "key \"HKEY_USERS\\" + name +
                                 "\" 0000000000000000\nend 2 0\n");
    };
    std::string escaped;
    for (std::size_t i = 0; i < kMaxKeyNameLength; ++i) {
        escaped += "%20";
    }
    EXPECT_NE(withKey(escaped), nullptr);
    EXPECT_EQ(withKey(escaped + "x"), nullptr);

    std::string text = head;
    std::string path = "HKEY_USERS";
    for (std::size_t level = 0; level <= kMaxKeyDepth; ++level) {
        path += "\\k";
        text += "key \"" + path + "\" 0000000000000000\n";
    }
    std::string last = text.substr(text.rfind("key "));
    text.resize(text.size() - last.size());
    EXPECT_NE(ParseRegistryText(text + "end " + std::to_string(kMaxKeyDepth + 1) + " 0\n"),
              nullptr);
    EXPECT_EQ(ParseRegistryText(text + last + "end " + std::to_string(kMaxKeyDepth + 2) + " 0\n"),
              nullptr);
}

}  // namespace
}  // namespace platform
