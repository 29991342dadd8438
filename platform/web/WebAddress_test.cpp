#include "platform/web/WebAddress.h"

#include <gtest/gtest.h>

namespace platform::web {
namespace {

TEST(WebAddressTest, LocalPathsBecomeFileAddresses) {
    EXPECT_EQ(CanonicalAddress("C:\\prog\\data\\main.htm"), "file:///C:/prog/data/main.htm");
    EXPECT_EQ(CanonicalAddress("file://C:\\prog\\data2/menu.htm"),
              "file:///C:/prog/data2/menu.htm");
    EXPECT_EQ(CanonicalAddress("file://C:/prog/data2/about.htm"),
              "file:///C:/prog/data2/about.htm");
    EXPECT_EQ(CanonicalAddress("about:blank"), "about:blank");
    EXPECT_EQ(CanonicalAddress("http://h.example/a\\b"), "http://h.example/a\\b");
}

TEST(WebAddressTest, ReferencesResolveLikeABrowser) {
    const std::string base = "http://h.example:8080/a/b/c.htm?q=1#f";
    EXPECT_EQ(ResolveAddress(base, "d.htm"), "http://h.example:8080/a/b/d.htm");
    EXPECT_EQ(ResolveAddress(base, "../d.htm"), "http://h.example:8080/a/d.htm");
    EXPECT_EQ(ResolveAddress(base, "../../../../d.htm"), "http://h.example:8080/d.htm");
    EXPECT_EQ(ResolveAddress(base, "./x/./y/"), "http://h.example:8080/a/b/x/y/");
    EXPECT_EQ(ResolveAddress(base, "/root"), "http://h.example:8080/root");
    EXPECT_EQ(ResolveAddress(base, "//other.example/z"), "http://other.example/z");
    EXPECT_EQ(ResolveAddress(base, "?r=2"), "http://h.example:8080/a/b/c.htm?r=2");
    EXPECT_EQ(ResolveAddress(base, "#top"), "http://h.example:8080/a/b/c.htm?q=1#top");
    EXPECT_EQ(ResolveAddress(base, ""), "http://h.example:8080/a/b/c.htm?q=1");
    EXPECT_EQ(ResolveAddress(base, " mailto:a@b "), "mailto:a@b");
    EXPECT_EQ(ResolveAddress(base, "javascript:go(1)"), "javascript:go(1)");
    EXPECT_EQ(ResolveAddress("http://h.example", "x"), "http://h.example/x");
}

TEST(WebAddressTest, FileAndBlankBases) {
    EXPECT_EQ(ResolveAddress("C:\\prog\\data\\main.htm", "..\\img\\a.gif"),
              "file:///C:/prog/img/a.gif");
    EXPECT_EQ(ResolveAddress("file:///C:/prog/data/main.htm", "/x.htm"), "file:///C:/x.htm");
    EXPECT_EQ(ResolveAddress("file:///C:/prog/main.htm", "D:\\other\\p.htm"),
              "file:///D:/other/p.htm");
    EXPECT_EQ(ResolveAddress("about:blank", "x.htm"), "about:x.htm");
    EXPECT_EQ(ResolveAddress("", "x.htm"), "x.htm");
}

}  // namespace
}  // namespace platform::web
