#include "platform/files/WindowsPath.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

const WindowsPath kCurrent('Z', {"home", "ann"});

std::string Full(std::string_view text) {
    std::optional<WindowsPath> path = WindowsPath::Parse(text, kCurrent);
    return path ? path->ToString() : "(none)";
}

TEST(WindowsPathTest, ProgramPathsAsWritten) {
    EXPECT_EQ(Full("data\\filter.dat"), "Z:\\home\\ann\\data\\filter.dat");
    EXPECT_EQ(Full("data//result.htm"), "Z:\\home\\ann\\data\\result.htm");
    EXPECT_EQ(Full("data2/menu.htm"), "Z:\\home\\ann\\data2\\menu.htm");
    EXPECT_EQ(Full("C:/a//b"), "C:\\a\\b");
    EXPECT_EQ(Full("%sdata\\main.htm"), "Z:\\home\\ann\\%sdata\\main.htm");
}

TEST(WindowsPathTest, RootsDrivesAndRelativeForms) {
    EXPECT_EQ(Full("\\x\\y"), "Z:\\x\\y");
    EXPECT_EQ(Full("/"), "Z:\\");
    EXPECT_EQ(Full("c:\\Windows"), "C:\\Windows");
    EXPECT_EQ(Full("C:"), "C:\\");
    // Relative to a drive: the current folder when it is on that drive, else its root.
    EXPECT_EQ(Full("c:rel"), "C:\\rel");
    EXPECT_EQ(Full("z:rel"), "Z:\\home\\ann\\rel");
    EXPECT_EQ(Full(""), "(none)");
}

TEST(WindowsPathTest, DotsResolveWithoutLeavingTheRoot) {
    EXPECT_EQ(Full("a\\.\\b\\..\\c"), "Z:\\home\\ann\\a\\c");
    EXPECT_EQ(Full("..\\..\\..\\..\\x"), "Z:\\x");
    EXPECT_EQ(Full("C:\\..\\.."), "C:\\");
    EXPECT_EQ(Full("."), "Z:\\home\\ann");
    EXPECT_EQ(Full("...\\x"), "Z:\\home\\ann\\...\\x");
}

TEST(WindowsPathTest, TrailingSeparatorIsKeptButNotASecondByte) {
    EXPECT_EQ(Full("C:\\dir\\"), "C:\\dir\\");
    EXPECT_TRUE(WindowsPath::Parse("dir/", kCurrent)->endsWithSeparator());
    std::optional<WindowsPath> trail = WindowsPath::Parse("C:\\a\x81\x5C", kCurrent);
    EXPECT_FALSE(trail->endsWithSeparator());
    EXPECT_EQ(trail->names(), (std::vector<std::string>{"a\x81\x5C"}));
    EXPECT_EQ(trail->ToString(), "C:\\a\x81\x5C");
}

TEST(WindowsPathTest, Parent) {
    WindowsPath path('c', {"a", "b"}, true);
    EXPECT_EQ(path.drive(), 'C');
    EXPECT_EQ(path.Parent().ToString(), "C:\\a");
    EXPECT_EQ(path.Parent().Parent().ToString(), "C:\\");
    EXPECT_TRUE(path.Parent().Parent().Parent().IsRoot());
}

}  // namespace
}  // namespace platform
