// Test support for the page and the control wrapper: a window that holds pages the way the main
// frame does and writes every call a page makes on it as one line, and a fixture that hosts
// controls through the browser's own control site on pages in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browser/BrowserDataStore.h"
#include "browser/CustomOccManager.h"
#include "browser/ExternalDispatch.h"
#include "browser/PageDlg.h"
#include "browser/PageHost.h"
#include "platform/controls/Button.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/framework/WinApp.h"
#include "platform/webcontrol/BrowserTest.h"

namespace browser::testing {

class CTestPageHost : public CWnd, public CPageHost {
public:
    explicit CTestPageHost(CBrowserDataStore& store) : store_(store) {}

    // Lines such as "CheckUrlBlocked file:///...", "UpdatePageTitle 1 <title>", "WM_COMMAND
    // 57600"; the number after an update is the index of the page it was called for.
    std::vector<std::string> calls;
    // The answer of CheckUrlBlocked for a URL.
    std::function<int(const std::string&)> blocked;
    // GetPage refuses new tabs while set, as at the tab limit.
    bool full = false;
    std::vector<std::unique_ptr<CPageDlg>> pages;

    BOOL CreateHost() {
        return CreateEx(0, AFX_WND_CLASS, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                        nullptr, nullptr);
    }
    // A page created as the frame creates one, filling the host's client area.
    CPageDlg* AddPage() {
        auto page = std::make_unique<CPageDlg>(*this, store_);
        if (!page->Create(CPageDlg::IDD, this)) {
            return nullptr;
        }
        page->MoveWindow(0, 0, 400, 300);
        page->ShowWindow(SW_SHOW);
        pages.push_back(std::move(page));
        return pages.back().get();
    }
    std::vector<std::string> Of(const std::string& prefix) const {
        std::vector<std::string> picked;
        for (const std::string& line : calls) {
            if (line.starts_with(prefix)) {
                picked.push_back(line);
            }
        }
        return picked;
    }

    CPageDlg* GetPage(int newTab) override {
        calls.push_back("GetPage " + std::to_string(newTab));
        if (full) {
            return nullptr;
        }
        return AddPage();
    }
    int CheckUrlBlocked(CString url) override {
        calls.push_back("CheckUrlBlocked " + std::string(url));
        return blocked ? blocked(std::string(url)) : 0;
    }
    void StartBusy() override { calls.push_back("StartBusy"); }
    void StopBusy() override { calls.push_back("StopBusy"); }
    void RefillAddressList() override { calls.push_back("RefillAddressList"); }
    void UpdatePageTitle(CPageDlg* pPage) override {
        calls.push_back("UpdatePageTitle " + Index(pPage) + " " + std::string(pPage->m_strTitle));
    }
    void UpdateStatusText(CPageDlg* pPage) override {
        calls.push_back("UpdateStatusText " + Index(pPage) + " " +
                        std::string(pPage->m_strStatusText));
    }
    void UpdateAddressText(CPageDlg* pPage) override {
        calls.push_back("UpdateAddressText " + Index(pPage) + " " + std::string(pPage->m_strUrl));
    }
    void UpdateProgress(CPageDlg* pPage) override {
        calls.push_back("UpdateProgress " + Index(pPage) + " " +
                        std::to_string(pPage->m_nProgress));
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        calls.push_back("WM_COMMAND " + std::to_string(LOWORD(wParam)));
        return CWnd::OnCommand(wParam, lParam);
    }

private:
    std::string Index(CPageDlg* pPage) const {
        for (size_t i = 0; i < pages.size(); ++i) {
            if (pages[i].get() == pPage) {
                return std::to_string(i);
            }
        }
        return "?";
    }

    CBrowserDataStore& store_;
};

class PageTest : public platform::testing::BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        platform::RegisterButtonClass();
        app.SetCurrentHandles(nullptr, "", SW_SHOWNORMAL);
        AfxEnableControlContainer(&manager);
        ASSERT_TRUE(host.CreateHost());
    }
    void TearDown() override {
        host.pages.clear();
        host.DestroyWindow();
        AfxEnableControlContainer();
        BrowserTest::TearDown();
    }

    // The Windows path of a file in the temporary folder.
    std::string Path(const std::string& name) {
        return platform::WindowsPathOf(folder.path() / name).ToString();
    }

    CWinApp app;
    CExternalDispatch external;
    CCustomOccManager manager{&external};
    CBrowserDataStore store;
    CTestPageHost host{store};
};

}  // namespace browser::testing
