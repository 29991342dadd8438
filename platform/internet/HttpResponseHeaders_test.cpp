#include "platform/internet/HttpResponseHeaders.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::HttpResponseHeaders;
using namespace std::string_literals;

TEST(HttpResponseHeadersTest, StatusLinesAndFieldsAsTheServerSentThem) {
    HttpResponseHeaders headers;
    headers.AddLine("HTTP/1.1 100 Continue\r\n");
    headers.AddLine("X-Interim: yes\r\n");
    headers.AddLine("HTTP/1.1 404 Not Found Here\r\n");
    headers.AddLine("Content-Type:text/plain \r\n");
    headers.AddLine("Set-Cookie: a=1\r\n");
    headers.AddLine("X-Folded: first\r\n");
    headers.AddLine("\t second\r\n");
    headers.AddLine("no colon line\r\n");
    headers.AddLine("SET-COOKIE: b=2\r\n");
    headers.AddLine("\r\n");

    EXPECT_EQ(headers.StatusCode(), 404);
    EXPECT_EQ(headers.StatusText(), "Not Found Here");
    EXPECT_EQ(headers.Version(), "HTTP/1.1");
    EXPECT_FALSE(headers.Find("X-Interim", 0));
    EXPECT_EQ(headers.Find("content-type", 0), "text/plain");
    EXPECT_EQ(headers.Find("Set-Cookie", 0), "a=1");
    EXPECT_EQ(headers.Find("set-cookie", 1), "b=2");
    EXPECT_FALSE(headers.Find("Set-Cookie", 2));
    EXPECT_EQ(headers.Find("X-Folded", 0), "first second");
    EXPECT_EQ(headers.RawWithLineEnds(),
              "HTTP/1.1 404 Not Found Here\r\nContent-Type: text/plain\r\nSet-Cookie: a=1\r\n"
              "X-Folded: first second\r\nSET-COOKIE: b=2\r\n\r\n");
    EXPECT_EQ(headers.RawWithNuls(),
              "HTTP/1.1 404 Not Found Here\0Content-Type: text/plain\0Set-Cookie: "
              "a=1\0X-Folded: first second\0SET-COOKIE: b=2\0"s);
}

TEST(HttpResponseHeadersTest, MalformedStatusLinesGiveNoCode) {
    HttpResponseHeaders headers;
    headers.AddLine("HTTP/1.0 2x0 Odd");
    EXPECT_EQ(headers.StatusCode(), 0);
    headers.AddLine("HTTP/2 204");
    EXPECT_EQ(headers.StatusCode(), 204);
    EXPECT_EQ(headers.Version(), "HTTP/2");
    EXPECT_EQ(headers.StatusText(), "");
    headers.AddLine("HTTP/1.1");
    EXPECT_EQ(headers.StatusCode(), 0);
    headers.AddLine(" leading fold without a field");
    EXPECT_EQ(headers.RawWithLineEnds(), "HTTP/1.1\r\n\r\n");
}

}  // namespace
