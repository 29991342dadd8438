// The statements with sub-commands, run as scripts: page cutting against pages served on
// 127.0.0.1, rows stored through SQLite and ODBC and read back with the sqlite3 tool, text
// reformatting.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "common/AppFolder.h"
#include "picture/ScriptTestEngine.h"
#include "platform/database/DatabaseClasses.h"
#include "platform/database/DatabaseTest.h"
#include "platform/files/Path.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"
#include "platform/text/Gbk.h"

namespace picture::testing {
namespace {

using platform::testing::QueryWithSqlite3;
using platform::testing::SqliteOdbcDriver;
using ::testing::Contains;
using ::testing::HasSubstr;

std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

class ScriptSubCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { platform::RegisterDatabaseClasses(); }

    std::string WindowsPath(const std::string& name) const {
        return platform::ToWindowsPath(folder.path() / name);
    }

    platform::testing::TempFolder folder;
};

// A list page as picture sites serve them, with the kinds of links a walk meets.
const std::string kListPage =
    "<html><head><title>list</title></head><body>\r\n"
    "<a href=\"/x.htm\">Root</a>\r\n"
    "<A HREF='y.htm'> 汉字 </A>\r\n"
    "<a href=other://z>Other</a>\r\n"
    "<a name=top>no address</a>\r\n"
    "<abbr title=\"a\">abbr</abbr>\r\n"
    "<a href=\"#\"></a>\r\n"
    "<img src=\"/p/1.jpg\"><IMG SRC=2.gif alt=x><img alt=none>\r\n"
    "</body></html>\r\n";

// Walks every link and every picture of the page at @url and stores them as rows.
std::string WalkScript(const std::string& connection) {
    return "%database [open] [" + connection +
           "]\r\n"
           "%database [exec] [CREATE TABLE links (kind TEXT, text TEXT, url TEXT)]\r\n"
           "%getremotefile @page @url\r\n"
           "%Set @pictures @page\r\n"
           "%lable [next link]\r\n"
           "%html [get_a] @url @page @text @link\r\n"
           "%Test [length] @page [=] [0] [links done]\r\n"
           "%Link @sql [INSERT INTO links VALUES ('a', '] @text [', '] @link [')]\r\n"
           "%database [exec] @sql\r\n"
           "%goto [next link]\r\n"
           "%lable [links done]\r\n"
           "%html [get_img] @url @pictures @text @link\r\n"
           "%Test [length] @pictures [=] [0] [done]\r\n"
           "%Link @sql [INSERT INTO links VALUES ('img', '] @text [', '] @link [')]\r\n"
           "%database [exec] @sql\r\n"
           "%goto [links done]\r\n"
           "%lable [done]\r\n"
           "%exit\r\n";
}

TEST_F(ScriptSubCommandsTest, AWalkStoresEveryLinkAndPictureOfAServedPage) {
    platform::testing::TestHttpServer server;
    server.Serve("/dir/list.htm", 200, "Content-Type: text/html\r\n", kListPage);
    const std::string url = server.Url("/dir/list.htm");
    const std::string host = server.Url("");
    const std::string expected = Utf8(u8"a|Root|") + host + "/x.htm\n" + Utf8(u8"a|汉字|") + host +
                                 "/dir/y.htm\n" +
                                 "a|Other|other://z\n"
                                 "a||#\n"
                                 "img||" +
                                 host + "/p/1.jpg\n" + "img||" + host + "/dir/2.gif\n";

    const auto walk = [&](const std::string& connection, const std::filesystem::path& file) {
        CScriptTestEngine engine;
        engine.Init(CString(std::string_view(WalkScript(connection))));
        engine.SetVariable("@url", url.c_str());
        EXPECT_EQ(0, engine.Run());
        // The table, four links and two pictures: the picture tag without a source is passed
        // over like the link without an address.
        EXPECT_EQ(7, std::count(engine.traces.begin(), engine.traces.end(),
                                std::string("execute database:0")));
        return QueryWithSqlite3(file, "SELECT kind, text, url FROM links ORDER BY rowid");
    };

    const std::optional<std::string> rows =
        walk("Data Source=" + WindowsPath("links.db"), folder.path() / "links.db");
    if (!rows) {
        GTEST_SKIP() << "sqlite3 is not installed";
    }
    EXPECT_EQ(expected, *rows);

    const std::filesystem::path driver = SqliteOdbcDriver();
    if (driver.empty()) {
        GTEST_SKIP() << "the SQLite ODBC driver is not installed";
    }
    const std::filesystem::path odbcFile = folder.path() / "odbc.db";
    EXPECT_EQ(expected,
              walk("Driver=" + driver.string() + ";Database=" + odbcFile.string(), odbcFile));
}

TEST_F(ScriptSubCommandsTest, GetLinkMakesAddressesAbsoluteAgainstTheBase) {
    const struct {
        const char* base;
        const char* link;
        const char* address;
    } cases[] = {
        {"http://h/dir/page.htm", "/x.htm", "http://h/x.htm"},
        {"http://h/dir/page.htm", "y.htm", "http://h/dir/y.htm"},
        {"http://h/dir/page.htm", "other://z", "other://z"},
        {"http://h/dir/page.htm", "#", "#"},
        {"http://h/dir/list", "y.htm", "http://h/dir/list/y.htm"},
        {"http://h/dir/", "y.htm", "http://h/dir/y.htm"},
        {"http://h/", "y.htm", "http://h/y.htm"},
        {"http://h", "y.htm", "http://h/y.htm"},
        {"http://h", "/y.htm", "http://h/y.htm"},
        {"http://h/a.asp?x=1", "y.htm", "http://h/y.htm"},
        {"local", "y.htm", "localy.htm"},
    };
    // "h" as the second byte of a double-byte character does not begin an attribute name.
    CScriptTestEngine wide;
    wide.RunScript(
        "%Set @page [<a title=\x81href=wrong href=right>t</a>]\r\n"
        "%html [get_a] [http://h/] @page @text @link\r\n");
    EXPECT_EQ("http://h/right", wide.Value("@link"));
    for (const auto& each : cases) {
        CScriptTestEngine engine;
        engine.RunScript(std::string("%Set @page [<a href=") + each.link + ">t</a>]\r\n" +
                         "%html [get_a] [" + each.base + "] @page @text @link\r\n");
        EXPECT_EQ(each.address, engine.Value("@link")) << each.base << " " << each.link;
    }
}

TEST_F(ScriptSubCommandsTest, GetLinkCutsElementsOneAfterAnother) {
    CScriptTestEngine engine;
    engine.RunScript(
        "%Set @page [<p>x <a\r\nhref = 'a b.htm' >  one  </a> <a href=c.htm title=t>two "
        "<b>bold</b></a><a href=\"open.htm>three</a><a href=x>t<img src=/abc.jpg></a>tail]\r\n"
        "%html [get_a] [http://h/] @page @t1 @l1\r\n"
        "%Set @after1 @page\r\n"
        "%html [get_a] [http://h/] @page @t2 @l2\r\n"
        "%html [get_a] [http://h/] @page @t3 @l3\r\n"
        "%html [get_a] [http://h/] @page @t4 @l4\r\n"
        "%Set @t5 [kept]\r\n%Set @l5 [kept]\r\n"
        "%html [get_a] [http://h/] @page @t5 @l5\r\n");
    EXPECT_EQ("one", engine.Value("@t1"));
    EXPECT_EQ("http://h/a b.htm", engine.Value("@l1"));
    EXPECT_EQ(
        " <a href=c.htm title=t>two <b>bold</b></a><a href=\"open.htm>three</a><a "
        "href=x>t<img src=/abc.jpg></a>tail",
        engine.Value("@after1"));
    EXPECT_EQ("two <b>bold</b>", engine.Value("@t2"));
    EXPECT_EQ("http://h/c.htm", engine.Value("@l2"));
    // Without its closing quote the address runs to the end of the opening tag.
    EXPECT_EQ("three", engine.Value("@t3"));
    EXPECT_EQ("http://h/open.htm", engine.Value("@l3"));
    // Only a whole closing name ends an element: "/abc.jpg" is no "</a>".
    EXPECT_EQ("t<img src=/abc.jpg>", engine.Value("@t4"));
    // Nothing left: the text is emptied and the outputs keep their values.
    EXPECT_EQ("", engine.Value("@page"));
    EXPECT_EQ("kept", engine.Value("@t5"));
    EXPECT_EQ("kept", engine.Value("@l5"));
}

TEST_F(ScriptSubCommandsTest, GetImageAndFormatImageFlagRewritePictureTags) {
    CScriptTestEngine engine;
    engine.RunScript(
        "%Set @page [<IMG SRC=\"a.jpg\"><imgx src=b.jpg><img\tsrc=/c.png alt=x>]\r\n"
        "%Set @text [old]\r\n"
        "%html [get_img] [http://h/d/p.htm] @page @text @first\r\n"
        "%html [get_img] [http://h/d/p.htm] @page @text @second\r\n"
        "%Set @doc [x<img src=a.jpg>y<IMG SRC='//cdn/b.png'>z<img alt=none>w<img src=p.gif]\r\n"
        "%formatstring [format_img_flag] @doc [http://h/d/p.htm] [<img src=\"%s\" %d>]\r\n"
        "%Set @host [<img src=a.jpg>]\r\n"
        "%formatstring [format_img_flag] @host [http://h] [[%s]]]\r\n");
    EXPECT_EQ("http://h/d/a.jpg", engine.Value("@first"));
    EXPECT_EQ("http://h/c.png", engine.Value("@second"));
    EXPECT_EQ("", engine.Value("@text"));
    // Each tag of the input is rewritten once, even when the format holds a picture tag; the
    // "%d" of the format is copied, not filled; a tag without source gives the directory.
    EXPECT_EQ(
        "x<img src=\"http://h/d/a.jpg\" %d>y<img src=\"//cdn/b.png\" %d>z<img "
        "src=\"http://h/d/\" %d>w<img src=p.gif",
        engine.Value("@doc"));
    EXPECT_EQ("[http://h/a.jpg]", engine.Value("@host"));
}

TEST_F(ScriptSubCommandsTest, FormatStringReshapesText) {
    CScriptTestEngine engine;
    engine.Init(
        "%formatstring [del_html_flag] @html\r\n"
        "%formatstring [replace_line] @lines [x] [new]\r\n"
        "%formatstring [del_blank_line] @blank\r\n"
        "%formatstring [lower] @lower\r\n"
        "%formatstring [del_mid_str] @mid [<SCRIPT] [</script>]\r\n"
        "%formatstring [del_mid_str] @both [] []\r\n"
        "%formatstring [del_mid_str] @join [ab] [-]\r\n"
        "%formatstring [del_mid_str] @wide [\x81\x61] [-]\r\n"
        "%formatstring [getcurrypath] @path\r\n"
        "%formatstring [map] @map [none] [a] [1] [B] [2] [b] [3]\r\n"
        "%formatstring [map] @nomap [none] [a] [1]\r\n"
        "%formatstring [unknown] @html\r\n"
        "%formatstring [lower]\r\n");
    engine.SetVariable("@html", "a<b>c</b>d x<y 1 > 0");
    engine.SetVariable("@lines", "ax\r\nb\r\nxx\r\nc");
    engine.SetVariable("@blank", "  a \r\n\r\n \t \r\nb");
    engine.SetVariable("@lower", "AbC\x81\x41Z");
    engine.SetVariable("@mid", "1<script>x</SCRIPT>2<Script a>y</script>3<script>");
    engine.SetVariable("@both", "abc");
    engine.SetVariable("@join", "aab-b-");
    engine.SetVariable("@wide", "\x81\x41x-\x81\x61y-");
    engine.SetVariable("@map", "b");
    engine.SetVariable("@nomap", "z");
    engine.Run();
    EXPECT_EQ("acd x 0", engine.Value("@html"));
    EXPECT_EQ("new\r\nb\r\nnew\r\nc", engine.Value("@lines"));
    EXPECT_EQ("a\r\nb\r\n", engine.Value("@blank"));
    EXPECT_EQ("abc\x81\x41z", engine.Value("@lower"));
    EXPECT_EQ("123<script>", engine.Value("@mid"));
    EXPECT_EQ("abc", engine.Value("@both"));
    // Removing "ab-" joins "a" and "b-" into a new "ab-", which goes too.
    EXPECT_EQ("", engine.Value("@join"));
    // The second byte of a double-byte character is no letter to fold.
    EXPECT_EQ("\x81\x41x-", engine.Value("@wide"));
    EXPECT_EQ(std::string(GetAppFolderNoChdir()), engine.Value("@path"));
    EXPECT_EQ("2", engine.Value("@map"));
    EXPECT_EQ("none", engine.Value("@nomap"));
}

TEST_F(ScriptSubCommandsTest, RecordAndHtmlTableReadQueries) {
    const std::string open = "%database [open] [Data Source=" + WindowsPath("t.db") + "]\r\n";
    CScriptTestEngine engine;
    engine.RunScript(
        open +
        "%database [exec] [CREATE TABLE t (name TEXT, n INTEGER, note TEXT)]\r\n"
        "%database [exec] [INSERT INTO t VALUES ('Cat', 1, 'x  '), ('dog', NULL, NULL), "
        "('cat', 3, 'z'), ('emu', 4, 'w')]\r\n"
        "%database [record] [3] @a @b @c [SELECT name, n, note FROM t WHERE name = 'dog']\r\n"
        "%database [record] [12] @r1 @r2 @r3 @r4 @r5 @r6 @r7 @r8 @r9 @r10 "
        "[SELECT 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12]\r\n"
        "%Set @none [old]\r\n"
        "%database [record] [1] @none [SELECT name FROM t WHERE 0]\r\n"
        "%database [record] [1] @bad [SELEC]\r\n"
        "%database [create_html_table] @table [3] [2] [CAT] [on] [off] "
        "[<b>%s:%s=%s %d</b>] [SELECT name, n FROM t ORDER BY rowid]\r\n"
        "%Set @empty [old]\r\n"
        "%database [create_html_table] @empty [3] [2] [x] [on] [off] [%s] "
        "[SELECT name, n FROM t WHERE 0]\r\n"
        "%Set @failed [old]\r\n"
        "%database [create_html_table] @failed [3] [2] [x] [on] [off] [%s] [SELEC]\r\n"
        "%database [create_html_table] @one [2] [1] [emu] [on] [off] [%s|%s|%s] "
        "[SELECT name FROM t WHERE n = 4]\r\n");
    EXPECT_EQ("dog", engine.Value("@a"));
    EXPECT_EQ("0", engine.Value("@b"));
    EXPECT_EQ("0", engine.Value("@c"));
    // Only ten variables are read for a count of 12; the SQL argument comes after the tenth.
    EXPECT_EQ("1", engine.Value("@r1"));
    EXPECT_EQ("10", engine.Value("@r10"));
    EXPECT_EQ("", engine.Value("@none"));
    EXPECT_EQ("", engine.Value("@bad"));
    EXPECT_EQ(
        "<tr class=trpa369_a><td class=td_on><b>on:Cat=1 %d</b></td>"
        "<td class=td_off><b>off:dog=0 %d</b></td>"
        "<td class=td_on><b>on:cat=3 %d</b></td></tr>"
        "<tr class=trpa369_a><td class=td_off><b>off:emu=4 %d</b></td>"
        "<td class=td_off>&nbsp;</td><td class=td_off>&nbsp;</td></tr>",
        engine.Value("@table"));
    EXPECT_EQ("", engine.Value("@empty"));
    EXPECT_EQ("old", engine.Value("@failed"));
    EXPECT_EQ("<tr class=trpa369_a><td class=td_on>on|emu|</td><td class=td_off>&nbsp;</td></tr>",
              engine.Value("@one"));
}

TEST_F(ScriptSubCommandsTest, DatabaseFailuresAreTracedAndTheScriptGoesOn) {
    // A file of another database system is refused and left as it was.
    const std::string jet = std::string("\0\1\0\0Standard Jet DB\0", 20) + std::string(500, 'j');
    folder.WriteFile("old.mdb", jet);
    CScriptTestEngine engine;
    engine.RunScript(
        "%database [exec] [CREATE TABLE t (n)]\r\n"
        "%database [open] [Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
        WindowsPath("old.mdb") +
        "]\r\n"
        "%database [exec] [CREATE TABLE t (n)]\r\n"
        "%Set @went [on]\r\n");
    EXPECT_EQ("on", engine.Value("@went"));
    EXPECT_EQ(jet, folder.ReadFile("old.mdb"));
    EXPECT_EQ(2, std::count(engine.traces.begin(), engine.traces.end(),
                            std::string("execute database:1")));
    EXPECT_THAT(engine.traces,
                Contains(std::string("连接数据库失败！错误信息：The file is an Access "
                                     "(.mdb/.accdb) database, which cannot be opened: only "
                                     "SQLite database files can. The file was left unchanged: ") +
                         WindowsPath("old.mdb")));

    // Another connection holds the write lock: the insert fails after the busy wait.
    const std::filesystem::path file = folder.path() / "locked.db";
    sqlite3* other = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &other));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(other,
                                      "CREATE TABLE t (n); BEGIN IMMEDIATE; "
                                      "INSERT INTO t VALUES (1);",
                                      nullptr, nullptr, nullptr));
    CScriptTestEngine locked;
    locked.RunScript("%database [open] [Data Source=" + WindowsPath("locked.db") +
                     "]\r\n"
                     "%database [exec] [INSERT INTO t VALUES (2)]\r\n"
                     "%Set @went [on]\r\n");
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ("on", locked.Value("@went"));
    EXPECT_THAT(locked.traces, Contains("execute database:1"));
    EXPECT_THAT(locked.traces,
                Contains(std::string("连接数据库失败！错误信息：database is locked")));
}

TEST_F(ScriptSubCommandsTest, APageOfRandomBytesIsWalkedToItsEnd) {
    // Bytes of every value, with the markup characters the cutters look for made frequent.
    std::mt19937 random(20240305);
    std::string page;
    const std::string_view markup[] = {"<", ">",   "/",   " ",    "a",    "A", "=", "\"",
                                       "'", "img", "src", "href", "\r\n", "]", "%", "@"};
    while (page.size() < 200000) {
        const unsigned value = random() % 512;
        if (value < 256) {
            page += static_cast<char>(value);
        } else {
            page += markup[value % std::size(markup)];
        }
    }
    CScriptTestEngine engine;
    engine.Init(
        "%Set @copy @page\r\n%Set @text @page\r\n"
        "%lable [link]\r\n"
        "%html [get_a] [http://h/d/] @page @t @l\r\n"
        "%int @links @links [+] [1]\r\n"
        "%Test [length] @page [>] [0] [link]\r\n"
        "%lable [picture]\r\n"
        "%html [get_img] [http://h] @copy @t @l\r\n"
        "%int @pictures @pictures [+] [1]\r\n"
        "%Test [length] @copy [>] [0] [picture]\r\n"
        "%formatstring [format_img_flag] @text [http://h/d/p.htm] [<img src=%s>]\r\n"
        "%formatstring [del_mid_str] @text [<a] [>]\r\n"
        "%formatstring [del_html_flag] @text\r\n"
        "%formatstring [del_blank_line] @text\r\n"
        "%exit\r\n");
    engine.SetVariable("@page", CString(std::string_view(page)));
    EXPECT_EQ(0, engine.Run());
    EXPECT_GE(platform::ParseInt(engine.Value("@links")), 1);
    EXPECT_GE(platform::ParseInt(engine.Value("@pictures")), 1);
    EXPECT_EQ(std::string::npos, engine.Value("@text").find('<'));
}

TEST_F(ScriptSubCommandsTest, RemoteFilesKeepEveryByte) {
    platform::testing::TestHttpServer server;
    const std::string body = std::string("head\0tail", 9) + std::string(6144 * 2, 'b');
    server.Serve("/bin", 200, "", body);
    server.Serve("/missing", 404, "", "not here");
    CScriptTestEngine engine;
    engine.RunScript("%getremotefile @body [" + server.Url("/bin") +
                     "]\r\n"
                     "%getremotefile @missing [" +
                     server.Url("/missing") +
                     "]\r\n"
                     "%Set @gone [old]\r\n"
                     "%getremotefile @gone [http://127.0.0.1:" +
                     std::to_string(platform::testing::TestHttpServer::ClosedPort()) + "/]\r\n");
    EXPECT_EQ(body, engine.Value("@body"));
    EXPECT_EQ("not here", engine.Value("@missing"));
    EXPECT_EQ("", engine.Value("@gone"));
    EXPECT_THAT(engine.traces, Contains("GET_REMOTE_FILE"));
}

}  // namespace
}  // namespace picture::testing
