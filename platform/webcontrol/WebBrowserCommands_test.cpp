#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/commondialogs/CommonDialogApi.h"
#include "platform/controls/Clipboard.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/process/ProcessApi.h"
#include "platform/registry/Registry.h"
#include "platform/text/Encoding.h"
#include "platform/webcontrol/BrowserTest.h"
#include "platform/webcontrol/HtmlInterfaces.h"
#include "platform/webcontrol/WebBrowser.h"

namespace platform::webcontrol {

using namespace platform::testing;
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The user's folders, the registry and the temporary folder lie in the test's folder; dialogs,
// message boxes and starts are answered, nothing is shown or launched.
class WebBrowserCommandsTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        for (const char* name : {"HOME", "TMPDIR"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        std::filesystem::create_directories(folder.path() / "home" / "Documents");
        std::filesystem::create_directories(folder.path() / "tmp");
        setenv("HOME", (folder.path() / "home").c_str(), 1);
        setenv("TMPDIR", (folder.path() / "tmp").c_str(), 1);
        SetRegistryFile(folder.path() / "registry.dat");
        TakeCommonDialogRequests();
        TakeShownMessageBoxes();
        ResetClipboardForTesting();
        ClearStartedProcesses();
        SetProcessStartInterceptor([](const ProcessStart&) { return 0; });
        SetDesktopOpener("/usr/bin/desktop-opener");
    }
    void TearDown() override {
        host.reset();
        SetCommonDialogAnswerer({});
        SetMessageBoxAnswerer({});
        SetProcessStartInterceptor({});
        UseDefaultDesktopOpener();
        ClearStartedProcesses();
        ResetClipboardForTesting();
        SetRegistryFile({});
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        BrowserTest::TearDown();
    }

    void Open(const std::string& name, const std::string& bytes) {
        if (host == nullptr) {
            host = Host();
        }
        host->Navigate(Page(name, bytes));
        PumpUntilIdle();
    }
    HRESULT Exec(OLECMDID command, OLECMDEXECOPT option = OLECMDEXECOPT_DONTPROMPTUSER,
                 VARIANT* input = nullptr, VARIANT* output = nullptr) {
        return host->browser->ExecWB(command, option, input, output);
    }
    HRESULT Zoom(LONG step) {
        VARIANT input;
        VariantInit(&input);
        input.vt = VT_I4;
        input.lVal = step;
        return Exec(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &input);
    }
    DWORD Status(OLECMDID command) {
        OLECMDF status{};
        EXPECT_EQ(host->browser->QueryStatusWB(command, &status), S_OK);
        return status;
    }
    // The addresses a click at the point makes the control go to.
    std::vector<std::string> ClickGoesTo(int x, int y) {
        host->sink->events.clear();
        host->Click(x, y);
        return host->sink->Of("BeforeNavigate2");
    }
    std::string SavedPath(const std::string& name) {
        return WindowsPathOf(folder.path() / name).ToString();
    }

    std::unique_ptr<HostedBrowser> host;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A GBK page that declares its charset, with bytes a decode and encode would not give back
// unchanged (CR LF, a tab, an entity, trailing spaces).
const std::string kGbkPage =
    "<html><head><meta charset=gb2312><title>\xD6\xD0\xCE\xC4: a/b</title></head>\r\n"
    "<body>\t<p>\xB5\xDA\xD2\xBB&amp;</p>  \r\n</body></html>  ";

TEST_F(WebBrowserCommandsTest, SaveAsWritesThePageBytesAsReceivedToTheChosenFile) {
    Open("page.htm", kGbkPage);
    std::string target = SavedPath("saved.htm");
    SetCommonDialogAnswerer(
        [&](const CommonDialogRequest&) { return CommonDialogAnswer::Path(target); });
    EXPECT_EQ(Exec(OLECMDID_SAVEAS, OLECMDEXECOPT_DODEFAULT), S_OK);
    EXPECT_EQ(folder.ReadFile("saved.htm"), kGbkPage);
    std::vector<CommonDialogRequest> requests = TakeCommonDialogRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, CommonDialogKind::Save);
    EXPECT_EQ(requests[0].title, "保存网页");
    // The title, with what a file name cannot hold made '_'.
    EXPECT_EQ(requests[0].fileName, "\xD6\xD0\xCE\xC4_ a_b.htm");
    EXPECT_EQ(requests[0].initialFolder, SavedPath("home/Documents"));
    ASSERT_EQ(requests[0].filter.size(), 2u);
    EXPECT_EQ(requests[0].filter[0].second, "*.htm;*.html");

    // Without a file name "do not prompt" asks all the same, as the original does; a cancel
    // writes nothing.
    SetCommonDialogAnswerer(
        [](const CommonDialogRequest&) { return CommonDialogAnswer::Cancel(); });
    EXPECT_EQ(Exec(OLECMDID_SAVEAS, OLECMDEXECOPT_DONTPROMPTUSER), OLECMDERR_E_CANCELED);
    EXPECT_EQ(TakeCommonDialogRequests().size(), 1u);

    // With one it writes there without asking, replacing what was there.
    folder.WriteFile("quiet.htm", std::string(5000, 'x'));
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = BstrFromUtf8(GbkToUtf8(SavedPath("quiet.htm")));
    EXPECT_EQ(Exec(OLECMDID_SAVEAS, OLECMDEXECOPT_DONTPROMPTUSER, &name), S_OK);
    VariantClear(&name);
    EXPECT_THAT(TakeCommonDialogRequests(), IsEmpty());
    EXPECT_EQ(folder.ReadFile("quiet.htm"), kGbkPage);
}

TEST_F(WebBrowserCommandsTest, SaveAsIntoAMissingFolderSaysSoAndWritesNothing) {
    Open("page.htm", "<p>x</p>");
    std::string target = SavedPath("gone") + "\\x.htm";
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = BstrFromUtf8(GbkToUtf8(target));
    SetMessageBoxAnswerer([](const MessageBoxCall&) { return IDOK; });
    EXPECT_EQ(Exec(OLECMDID_SAVEAS, OLECMDEXECOPT_DONTPROMPTUSER, &name), E_FAIL);
    VariantClear(&name);
    std::vector<MessageBoxCall> boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "无法保存网页：\r\n" + target);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
}

TEST_F(WebBrowserCommandsTest, ZoomChangesTheLayoutOfThisPageAndTheNextOnes) {
    // One line of text above a link: at the normal size the link is on y 16..31, at the
    // largest on 24..47, at the smallest on 11..21.
    Page("third.htm", "<title>Third</title>");
    Page("second.htm", "<p>two</p><a href='third.htm'>third</a>");
    Open("first.htm", "<p>one</p><a href='second.htm'>second</a>");
    EXPECT_THAT(ClickGoesTo(4, 40), IsEmpty());
    EXPECT_EQ(Zoom(0), S_OK);
    EXPECT_THAT(ClickGoesTo(4, 12), ElementsAre("BeforeNavigate2 top " + Address("second.htm")));

    // The next page keeps the size, and every step lays it out anew.
    EXPECT_THAT(ClickGoesTo(4, 40), IsEmpty());
    EXPECT_EQ(Zoom(4), S_OK);
    EXPECT_THAT(ClickGoesTo(4, 12), IsEmpty());
    EXPECT_THAT(ClickGoesTo(4, 40), ElementsAre("BeforeNavigate2 top " + Address("third.htm")));

    // Sizes outside the five steps are refused and change nothing; an empty input reads.
    EXPECT_EQ(Zoom(5), E_INVALIDARG);
    EXPECT_EQ(Zoom(-1), E_INVALIDARG);
    VARIANT empty;
    VariantInit(&empty);
    VARIANT size;
    VariantInit(&size);
    EXPECT_EQ(Exec(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &empty, &size), S_OK);
    EXPECT_EQ(size.vt, VT_I4);
    EXPECT_EQ(size.lVal, 4);
    EXPECT_EQ(Exec(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &empty, nullptr), E_INVALIDARG);
}

TEST_F(WebBrowserCommandsTest, SelectAllThenCopyPutsThePageTextOnTheClipboard) {
    Open("text.htm",
         "<title>T</title><p>\xB5\xDA\xD2\xBB</p><p>second   <b>line</b></p>"
         "<script>var hidden = 1;</script>");
    PutClipboardText(nullptr, "before");
    // Nothing is selected yet, and pages cannot be cut from or pasted into.
    EXPECT_EQ(Status(OLECMDID_COPY), static_cast<DWORD>(OLECMDF_SUPPORTED));
    EXPECT_EQ(Exec(OLECMDID_COPY), OLECMDERR_E_DISABLED);
    EXPECT_EQ(Exec(OLECMDID_SELECTALL), S_OK);
    EXPECT_EQ(Status(OLECMDID_COPY), static_cast<DWORD>(OLECMDF_SUPPORTED | OLECMDF_ENABLED));
    EXPECT_EQ(Exec(OLECMDID_CUT), OLECMDERR_E_DISABLED);
    EXPECT_EQ(Exec(OLECMDID_PASTE), OLECMDERR_E_DISABLED);
    EXPECT_EQ(ClipboardText(nullptr), std::optional<std::string>("before"));
    EXPECT_EQ(Exec(OLECMDID_COPY), S_OK);
    EXPECT_EQ(ClipboardText(nullptr),
              std::optional<std::string>("\xB5\xDA\xD2\xBB\r\nsecond line"));

    // Another document drops the selection.
    Open("other.htm", "<p>other</p>");
    EXPECT_EQ(Exec(OLECMDID_COPY), OLECMDERR_E_DISABLED);
    EXPECT_EQ(Exec(OLECMDID_SELECTALL), S_OK);
    EXPECT_EQ(Exec(OLECMDID_CLEARSELECTION), S_OK);
    EXPECT_EQ(Exec(OLECMDID_COPY), OLECMDERR_E_DISABLED);
}

TEST_F(WebBrowserCommandsTest, ViewSourceHandsAFileWithTheSourceToTheOpener) {
    Open("page.htm", kGbkPage);
    VARIANT value = host->Get(DISPID_DOCUMENT);
    ASSERT_EQ(value.vt, VT_DISPATCH);
    IOleCommandTarget* target = nullptr;
    ASSERT_EQ(
        value.pdispVal->QueryInterface(IID_IOleCommandTarget, reinterpret_cast<void**>(&target)),
        S_OK);
    VariantClear(&value);
    EXPECT_EQ(target->Exec(&CGID_MSHTML, IDM_VIEWSOURCE, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr),
              S_OK);
    std::vector<ProcessStart> starts = StartedProcesses();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].kind, ProcessStart::Kind::kOpener);
    EXPECT_EQ(starts[0].program, "/usr/bin/desktop-opener");
    ASSERT_EQ(starts[0].arguments.size(), 1u);
    std::filesystem::path file = starts[0].arguments[0];
    EXPECT_EQ(file.parent_path(), folder.path() / "tmp");
    EXPECT_TRUE(file.filename().string().starts_with("source-"));
    EXPECT_EQ(file.extension(), ".txt");
    EXPECT_EQ(folder.ReadFile("tmp/" + file.filename().string()), kGbkPage);

    // Without an opener nothing is shown and no file is left behind.
    SetDesktopOpener("");
    std::filesystem::remove(file);
    EXPECT_EQ(target->Exec(&CGID_MSHTML, IDM_VIEWSOURCE, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr),
              E_FAIL);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "tmp"));
    target->Release();
}

}  // namespace
}  // namespace platform::webcontrol
