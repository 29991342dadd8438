#include <gtest/gtest.h>

#include <string>

#include "platform/files/FileApi.h"

namespace platform {
namespace {

struct Parts {
    std::string drive, dir, fname, ext;
    bool operator==(const Parts&) const = default;
};

void PrintTo(const Parts& parts, std::ostream* out) {
    *out << "[" << parts.drive << "][" << parts.dir << "][" << parts.fname << "][" << parts.ext
         << "]";
}

Parts Split(const char* path) {
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    SplitPath(path, drive, dir, fname, ext);
    return {drive, dir, fname, ext};
}

TEST(SplitPathTest, RuntimeSemantics) {
    EXPECT_EQ(Split("C:\\dir\\sub\\name.ext"), (Parts{"C:", "\\dir\\sub\\", "name", ".ext"}));
    EXPECT_EQ(Split("c:name.tar.gz"), (Parts{"c:", "", "name.tar", ".gz"}));
    EXPECT_EQ(Split("dir.d/file"), (Parts{"", "dir.d/", "file", ""}));
    EXPECT_EQ(Split("a/b\\c."), (Parts{"", "a/b\\", "c", "."}));
    EXPECT_EQ(Split(".hidden"), (Parts{"", "", "", ".hidden"}));
    EXPECT_EQ(Split("dir\\"), (Parts{"", "dir\\", "", ""}));
    EXPECT_EQ(Split(""), (Parts{"", "", "", ""}));
    // 0x81 0x5C is one character, not a separator.
    EXPECT_EQ(Split("C:\\\x81\x5C.jpg"), (Parts{"C:", "\\", "\x81\x5C", ".jpg"}));
}

TEST(SplitPathTest, NullOutputsAndLongParts) {
    char fname[_MAX_FNAME];
    SplitPath("C:\\x\\y.z", nullptr, nullptr, fname, nullptr);
    EXPECT_STREQ(fname, "y");

    // 254 single bytes, then a two-byte character that would end past the 255 allowed.
    std::string long_name = std::string(254, 'n') + "\x81\x5C" + ".e";
    SplitPath(long_name.c_str(), nullptr, nullptr, fname, nullptr);
    EXPECT_EQ(std::string(fname), std::string(254, 'n'));
}

}  // namespace
}  // namespace platform
