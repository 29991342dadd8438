#include "browser/UpdateThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/UpdateServerTest.h"
#include "common/Md5Digest.h"
#include "platform/files/FileApi.h"
#include "platform/internet/HttpServerTest.h"
#include "platform/testing/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::testing::TempFolder;
using platform::testing::TestHttpServer;

constexpr char kPageTarget[] = "/quorra/main.asp?V=%31%38%30";

std::string Md5Of(const std::string& bytes) {
    CMd5Digest md5;
    Md5Context context;
    md5.Init(&context);
    md5.Update(&context, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned int>(bytes.size()));
    unsigned char digest[16];
    md5.Final(digest, &context);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0x0F];
    }
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// An update page as the server sends it: the start page's blocks, then the file list.
std::string Page(const std::string& list) {
    return "<html><!--\r\nVERSION_INFO\r\n181 http://new/\r\nMAIN_PAGE_END\r\n\r\n" + list +
           "--></html>\r\n";
}

class UpdateThreadTest : public browser_testing::UpdateServerTest {
protected:
    UpdateThreadTest()
        : UpdateServerTest("quorra.exe", kPageTarget,
                           [](LPVOID) -> DWORD { return UpdateThread(nullptr); }) {}

    // A zip archive made by Info-ZIP's zip from files of the given names and contents; the first
    // one becomes the first entry.
    std::string Zip(const std::vector<std::pair<std::string, std::string>>& files,
                    fs::file_time_type time = fs::file_time_type::clock::now()) const {
        TempFolder staging;
        std::string names;
        for (const auto& [name, content] : files) {
            staging.WriteFile(name, content);
            fs::last_write_time(staging.path() / name, time);
            names += " '" + name + "'";
        }
        const std::string command =
            "cd '" + staging.path().string() + "' && zip -q -X archive.zip" + names;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return staging.ReadFile("archive.zip");
    }

    void ServePage(const std::string& list) { server_.Serve(kPageTarget, 200, "", Page(list)); }
    void ServeFile(const std::string& target, const std::string& bytes) {
        server_.Serve(target, 200, "", bytes);
    }
    std::string Line(const std::string& digest, const std::string& path,
                     const std::string& target) const {
        return digest + " " + path + "\t" + server_.Url(target) + "\r\n";
    }
    std::vector<std::string> Requested() const {
        std::vector<std::string> targets;
        for (const auto& request : server_.Requests()) {
            targets.push_back(request.target);
        }
        return targets;
    }
};

TEST_F(UpdateThreadTest, ChangedFilesAreReplacedAndUnchangedOnesAreNotFetched) {
    Write("data/main.htm", "old start page");
    Write("data/same.txt", "same");
    Write("data/old.txt", "old");
    Write("data/bad.txt", "before");
    Write("data/skin/packed.ini", "previous");
    Write("data/upper.txt", "kept");
    const std::string packed = "packed content\r\n" + std::string(30000, 'p');
    const auto entryTime =
        std::chrono::floor<std::chrono::minutes>(fs::file_time_type::clock::now()) -
        std::chrono::seconds(3600);
    const std::string packedZip = Zip({{"packed.ini", packed}}, entryTime);
    const std::string plainZip = Zip({{"inner.txt", "inner"}});
    const std::string truncated = Zip({{"trunc.txt", std::string(50000, 't')}});

    ServeFile("/f/old.txt", "new content");
    ServeFile("/f/new.txt", "brand new");
    ServeFile("/f/packed.zip", packedZip);
    ServeFile("/f/upper.txt", "upper");
    ServeFile("/f/PLAIN.ZIP", plainZip);
    ServeFile("/f/bad.txt", "evil");
    ServeFile("/f/trunc.zip", truncated.substr(0, truncated.size() / 2));
    ServeFile("/f/after.txt", "after");
    ServeFile("/f/twice.txt", "twice");
    const std::string list =
        "[FILE_LIST_BEGIN]\r\n" + Line(Md5Of("same"), "data\\same.txt", "/f/same.txt") +
        Line(Md5Of("new content"), "data\\old.txt", "/f/old.txt") + "// a comment line\r\n" +
        Line(Md5Of("brand new"), "sub/deeper\\new.txt", "/f/new.txt") + Md5Of("x") +
        " only-two-fields\r\n" + Line(Md5Of(packed), "data\\skin\\packed.ini", "/f/packed.zip") +
        Line(Upper(Md5Of("upper")), "data\\upper.txt", "/f/upper.txt") +
        Line(Md5Of(plainZip), "data\\plain.bin", "/f/PLAIN.ZIP") +
        Line(Md5Of("good"), "data\\bad.txt", "/f/bad.txt") +
        Line(Md5Of(std::string(50000, 't')), "data\\trunc.txt", "/f/trunc.zip") + Md5Of("long") +
        " data\\long.txt " + server_.Url("/f/") + std::string(10000, 'l') + "\r\n" +
        Line(Md5Of("missing"), "data\\missing.txt", "/f/missing.txt") +
        Line(Md5Of("twice"), "data\\twice.txt", "/f/twice.txt") +
        Line(Md5Of("twice"), "data\\twice.txt", "/f/twice.txt") + "[FILE_LIST_END]\r\n" +
        Line(Md5Of("after"), "data\\after.txt", "/f/after.txt");
    const std::string page = Page(list);
    ServePage(list);

    RunUpdate();

    EXPECT_EQ(Read("data/main.htm"), page);
    EXPECT_EQ(Read("data/main2.htm"), page);
    EXPECT_EQ(Read("data/same.txt"), "same");
    EXPECT_EQ(Read("data/old.txt"), "new content");
    EXPECT_EQ(Read("sub/deeper/new.txt"), "brand new");
    EXPECT_EQ(Read("data/skin/packed.ini"), packed);
    EXPECT_EQ(fs::last_write_time(folder_ / "data/skin/packed.ini"), entryTime);
    EXPECT_EQ(Read("data/upper.txt"), "kept");
    EXPECT_EQ(Read("data/plain.bin"), plainZip);
    EXPECT_EQ(Read("data/bad.txt"), "before");
    EXPECT_FALSE(Exists("data/trunc.txt"));
    EXPECT_FALSE(Exists("data/long.txt"));
    EXPECT_FALSE(Exists("data/missing.txt"));
    EXPECT_EQ(Read("data/twice.txt"), "twice");
    EXPECT_FALSE(Exists("data/after.txt"));
    // Nothing of the downloads stays behind, in the program folder or the current folder.
    EXPECT_FALSE(Exists("data/data_tmp.dat"));
    EXPECT_FALSE(Exists("data/data_tmp.dat.part"));
    EXPECT_FALSE(Exists("data/packed.ini.unz"));
    EXPECT_FALSE(Exists("data/trunc.txt.unz"));
    EXPECT_TRUE(fs::is_empty(elsewhere_.path()));

    const std::vector<std::string> expected = {
        kPageTarget,    "/f/old.txt", "/f/new.txt",   "/f/packed.zip",  "/f/upper.txt",
        "/f/PLAIN.ZIP", "/f/bad.txt", "/f/trunc.zip", "/f/missing.txt", "/f/twice.txt"};
    EXPECT_EQ(Requested(), expected);
}

TEST_F(UpdateThreadTest, NoListedPathOrArchiveEntryWritesOutsideTheProgramFolder) {
    platform::MapDrive('C', root_.path());
    // Info-ZIP keeps names inside the archive; the hostile name is put in afterwards, in the
    // local header and the central directory alike.
    std::string hostileZip = Zip({{"QQQQQ_x", "escaped"}});
    for (size_t at = hostileZip.find("QQQQQ_x"); at != std::string::npos;
         at = hostileZip.find("QQQQQ_x", at)) {
        hostileZip.replace(at, 7, "../../x");
    }
    ServeFile("/f/escape.txt", "escaped");
    ServeFile("/f/hostile.zip", hostileZip);
    const std::string digest = Md5Of("escaped");
    ServePage("[FILE_LIST_BEGIN]\r\n" + Line(digest, "..\\escape.txt", "/f/escape.txt") +
              Line(digest, "data\\..\\..\\escape.txt", "/f/escape.txt") +
              Line(digest, "data/. ./escape.txt", "/f/escape.txt") +
              Line(digest, "C:\\escape.txt", "/f/escape.txt") +
              Line(digest, "C:escape.txt", "/f/escape.txt") +
              Line(digest, "\\escape.txt", "/f/escape.txt") +
              Line(digest, "/escape.txt", "/f/escape.txt") +
              Line(digest, "data\\zipped.txt", "/f/hostile.zip") + "[FILE_LIST_END]\r\n");

    RunUpdate();
    platform::UnmapDrive('C');

    std::vector<std::string> outside;
    for (const auto& entry : fs::recursive_directory_iterator(root_.path())) {
        const fs::path relative = fs::relative(entry.path(), root_.path());
        if (*relative.begin() != "prog") {
            outside.push_back(relative.string());
        }
    }
    EXPECT_EQ(outside, std::vector<std::string>{});
    EXPECT_FALSE(Exists("data/zipped.txt"));
    EXPECT_FALSE(Exists("x"));
    EXPECT_FALSE(Exists("data/data_tmp.dat"));
    EXPECT_EQ(Requested(), (std::vector<std::string>{kPageTarget, "/f/hostile.zip"}));
}

TEST_F(UpdateThreadTest, ThePageReplacesTheStartPageOnlyWhenItIsComplete) {
    Write("data/main.htm", "old start page");
    fs::remove(folder_ / "data/update.dat");
    RunUpdate();
    EXPECT_TRUE(server_.Requests().empty());

    Write("data/update.dat", "[UPDATE_SERVER]\r\n" + server_.Url("") + "\r\n");
    server_.Serve(kPageTarget, 200, "", "<html>no marker</html>");
    RunUpdate();
    EXPECT_EQ(Read("data/main.htm"), "old start page");

    server_.Serve(kPageTarget, 200, "", Page(""));
    RunUpdate();
    EXPECT_EQ(Read("data/main.htm"), Page(""));
    EXPECT_EQ(server_.Requests().size(), 2u);
}

TEST_F(UpdateThreadTest, AStopRequestEndsTheThreadWhileTheServerNeverAnswers) {
    StopWhileTheServerStalls(std::chrono::seconds(20));
    EXPECT_FALSE(Exists("data/main2.htm"));
    EXPECT_FALSE(Exists("data/main2.htm.part"));
}

}  // namespace
