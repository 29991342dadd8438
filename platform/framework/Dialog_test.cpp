#include "platform/framework/Dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/framework/FrameworkDialogTest.h"
#include "platform/framework/testdata/dialog_ids.h"

namespace {

constexpr UINT kRunScript = WM_APP + 1;

// The settings dialog of the test resources, with a script that runs once the modal loop runs.
class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(CWnd* pParent = nullptr) : CDialog(IDD_SETTINGS, pParent) {}

    CString m_name = "张三";
    int m_interval = 30;
    int m_update = BST_CHECKED;
    int m_position = 2;
    int m_unit = 1;
    CWnd m_intervalEdit;
    std::function<void(CSettingsDlg&)> script;
    int nameChanges = 0;
    bool exchangeMissingControl = false;

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        PostMessage(kRunScript);
        return TRUE;
    }
    // Programs save what a dialog shows in their DestroyWindow.
    BOOL DestroyWindow() override {
        char name[64] = {};
        ::GetWindowTextA(Item(IDC_NAME), name, sizeof(name));
        nameAtDestroy = name;
        return CDialog::DestroyWindow();
    }
    std::string nameAtDestroy;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Control(pDX, IDC_INTERVAL, m_intervalEdit);
        DDX_Text(pDX, IDC_INTERVAL, m_interval);
        DDX_Check(pDX, IDC_UPDATE, m_update);
        DDX_Radio(pDX, IDC_BOTTOM, m_position);
        DDX_CBIndex(pDX, IDC_UNIT, m_unit);
        if (exchangeMissingControl) {
            DDX_Text(pDX, 4242, m_name);
        }
    }
    LRESULT OnRunScript(WPARAM, LPARAM) {
        if (script) {
            script(*this);
        }
        return 0;
    }
    void OnNameChange() { ++nameChanges; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
ON_MESSAGE(kRunScript, OnRunScript)
ON_EN_CHANGE(IDC_NAME, OnNameChange)
END_MESSAGE_MAP()

// A child page whose button 2 is an ordinary button, like an about page's "官方网站".
class CPage : public CDialog {
public:
    CPage() : CDialog(IDD_PAGE) {}

    int okCalls = 0;
    int siteClicks = 0;

    void OnOK() override {
        ++okCalls;
        CDialog::OnOK();
    }

protected:
    void OnSite() { ++siteClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPage, CDialog)
ON_BN_CLICKED(IDCANCEL, OnSite)
END_MESSAGE_MAP()

class DialogTest : public platform::testing::FrameworkDialogTest {
protected:
    // A visible, active top-level window to own or hold dialogs.
    CWnd& Host() {
        if (host_.m_hWnd == nullptr) {
            host_.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr,
                           nullptr);
            ::SetActiveWindow(host_.m_hWnd);
        }
        return host_;
    }
    // The id of the dialog's control that holds the focus (a combo box's edit counts as the
    // combo box).
    static int FocusedControl(HWND dialog) {
        HWND focus = ::GetFocus();
        while (focus != nullptr && ::GetParent(focus) != dialog) {
            focus = ::GetParent(focus);
        }
        return ::GetDlgCtrlID(focus);
    }
    static std::vector<int> TabWalk(HWND dialog, int steps, bool backwards) {
        std::vector<int> ids;
        for (int i = 0; i < steps; ++i) {
            backwards ? PressWithShift(VK_TAB) : Press(VK_TAB);
            ids.push_back(FocusedControl(dialog));
        }
        return ids;
    }

    CWnd host_;
};

TEST_F(DialogTest, ModalDialogShowsTheMembersAndSavesTheControlsOnEnter) {
    CSettingsDlg dialog;
    HWND seen = nullptr;
    dialog.script = [&](CSettingsDlg& dlg) {
        seen = dlg.m_hWnd;
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
        EXPECT_EQ(Text(dlg.Item(IDC_NAME)), "张三");
        EXPECT_EQ(Text(dlg.Item(IDC_INTERVAL)), "30");
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_UPDATE), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_BOTTOM, IDC_CENTER), IDC_CENTER);
        EXPECT_EQ(Text(dlg.Item(IDC_UNIT)), "分钟");
        EXPECT_EQ(::GetFocus(), dlg.Item(IDC_NAME));

        ::SetWindowTextA(dlg.Item(IDC_NAME), "李四");
        ::SetWindowTextA(dlg.Item(IDC_INTERVAL), " -15\t");
        dlg.CheckDlgButton(IDC_UPDATE, BST_UNCHECKED);
        dlg.CheckRadioButton(IDC_BOTTOM, IDC_CENTER, IDC_TOP);
        dlg.SendDlgItemMessage(IDC_UNIT, CB_SETCURSEL, 0);
        Press(VK_RETURN);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(::IsWindow(seen));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_name, "李四");
    EXPECT_EQ(dialog.m_interval, -15);
    EXPECT_EQ(dialog.m_update, BST_UNCHECKED);
    EXPECT_EQ(dialog.m_position, 1);
    EXPECT_EQ(dialog.m_unit, 0);
    EXPECT_TRUE(platform::TakeShownMessageBoxes().empty());
}

TEST_F(DialogTest, NonNumericIntegerIsRefusedWithThePromptAndTheDialogStaysOpen) {
    CSettingsDlg dialog;
    dialog.script = [&](CSettingsDlg& dlg) {
        ::SetWindowTextA(dlg.Item(IDC_NAME), "王五");
        ::SetWindowTextA(dlg.Item(IDC_INTERVAL), "12秒");
        Press(VK_RETURN);

        const auto boxes = platform::TakeShownMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "请输入一个整数。");
        EXPECT_EQ(boxes[0].caption, "Quorra浏览器");
        EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(boxes[0].owner, dlg.m_hWnd);
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
        EXPECT_EQ(::GetFocus(), dlg.Item(IDC_INTERVAL));
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageA(dlg.Item(IDC_INTERVAL), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 4u);
        // The exchange runs in order: what came before the refused value is already saved.
        EXPECT_EQ(dlg.m_name, "王五");
        EXPECT_EQ(dlg.m_interval, 30);

        ::SetWindowTextA(dlg.Item(IDC_INTERVAL), "7");
        Press(VK_RETURN);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_interval, 7);
    EXPECT_TRUE(platform::TakeShownMessageBoxes().empty());
}

TEST_F(DialogTest, EscapeCancelsWithoutSavingAndEndDialogGivesItsValue) {
    CSettingsDlg cancelled;
    cancelled.script = [&](CSettingsDlg& dlg) {
        ::SetWindowTextA(dlg.Item(IDC_NAME), "改了");
        Press(VK_ESCAPE);
    };
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.m_name, "张三");
    // The dialog ends through its own DestroyWindow, while its controls still exist.
    EXPECT_EQ(cancelled.nameAtDestroy, "改了");
    EXPECT_EQ(cancelled.m_hWnd, nullptr);

    CSettingsDlg custom;
    custom.script = [](CSettingsDlg& dlg) { dlg.EndDialog(42); };
    EXPECT_EQ(custom.DoModal(), 42);
}

TEST_F(DialogTest, TheOwnerIsDisabledWhileTheDialogRunsAndTheControlIsSubclassedOnce) {
    CWnd& host = Host();
    CSettingsDlg dialog(&host);
    dialog.script = [&](CSettingsDlg& dlg) {
        EXPECT_EQ(::GetWindow(dlg.m_hWnd, GW_OWNER), host.m_hWnd);
        EXPECT_FALSE(host.IsWindowEnabled());
        EXPECT_EQ(CWnd::FromHandlePermanent(dlg.Item(IDC_INTERVAL)), &dlg.m_intervalEdit);
        EXPECT_TRUE(dlg.UpdateData(FALSE));
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(dlg.m_intervalEdit.m_hWnd, dlg.Item(IDC_INTERVAL));
        dlg.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_EQ(dialog.m_intervalEdit.m_hWnd, nullptr);
}

TEST_F(DialogTest, NotificationsWhileLoadingDoNotReachTheDialog) {
    CSettingsDlg dialog;
    dialog.script = [&](CSettingsDlg& dlg) {
        EXPECT_EQ(dlg.nameChanges, 0);
        dlg.m_name = "新名字";
        EXPECT_TRUE(dlg.UpdateData(FALSE));
        EXPECT_EQ(Text(dlg.Item(IDC_NAME)), "新名字");
        EXPECT_EQ(dlg.nameChanges, 0);
        ::SetWindowTextA(dlg.Item(IDC_NAME), "用户改的");
        EXPECT_EQ(dlg.nameChanges, 1);
        dlg.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, FailuresToBuildOrToLoadGiveMinusOne) {
    CDialog missing(999);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create(999));

    CDialog broken(IDD_BROKEN);
    EXPECT_EQ(broken.DoModal(), -1);
    EXPECT_EQ(broken.m_hWnd, nullptr);

    // A control missing from the template fails the first exchange, which ends the dialog.
    CSettingsDlg unloadable;
    unloadable.exchangeMissingControl = true;
    bool ran = false;
    unloadable.script = [&](CSettingsDlg&) { ran = true; };
    EXPECT_EQ(unloadable.DoModal(), -1);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(platform::TakeShownMessageBoxes().empty());
}

TEST_F(DialogTest, ModelessPopUpTabsThroughVisibleEnabledStopsAndHidesOnEnterAndEscape) {
    CWnd& host = Host();
    CSettingsDlg dialog;
    dialog.m_position = 0;
    ASSERT_TRUE(dialog.Create(IDD_SETTINGS, &host));
    EXPECT_EQ(::GetWindow(dialog.m_hWnd, GW_OWNER), host.m_hWnd);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(Text(dialog.Item(IDC_NAME)), "张三");
    dialog.ShowWindow(SW_SHOW);
    ::SetActiveWindow(dialog.m_hWnd);
    dialog.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(IDC_NAME)));
    platform::PumpUntilIdle();

    EXPECT_EQ(TabWalk(dialog.m_hWnd, 11, false),
              (std::vector<int>{IDC_INTERVAL, IDC_UPDATE, IDC_BOTTOM, IDC_RATIO, IDC_OTHER, IDOK,
                                IDCANCEL, IDC_UNIT, IDC_SKIN, IDC_SKINS, IDC_NAME}));
    EXPECT_EQ(TabWalk(dialog.m_hWnd, 3, true), (std::vector<int>{IDC_SKINS, IDC_SKIN, IDC_UNIT}));
    dialog.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(IDOK)));
    dialog.NextDlgCtrl();
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDCANCEL);
    dialog.PrevDlgCtrl();
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDOK);

    dialog.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(IDC_NAME)));
    ::SetWindowTextA(dialog.Item(IDC_NAME), "赵六");
    Press(VK_RETURN);
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.m_name, "赵六");

    dialog.ShowWindow(SW_SHOW);
    ::SetActiveWindow(dialog.m_hWnd);
    dialog.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(IDC_NAME)));
    Press(VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(DialogTest, ChildPageSurvivesEnterAndEscapeAndItsButtonTwoStaysOrdinary) {
    CWnd& host = Host();
    CPage page;
    ASSERT_TRUE(page.Create(IDD_PAGE, &host));
    EXPECT_EQ(::GetParent(page.m_hWnd), host.m_hWnd);
    EXPECT_TRUE(page.IsWindowVisible());
    HWND edit = ::GetDlgItem(page.m_hWnd, IDC_PAGE_EDIT);
    ::SetFocus(edit);

    Press(VK_ESCAPE);
    EXPECT_EQ(page.siteClicks, 0);
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), edit);

    Press(VK_RETURN);
    EXPECT_EQ(page.okCalls, 1);
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_TRUE(host.IsWindowVisible());

    ::SendMessageA(::GetDlgItem(page.m_hWnd, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(page.siteClicks, 1);
    EXPECT_TRUE(page.IsWindowVisible());
}

TEST_F(DialogTest, EscapeOnAChildPageStillClosesAnOpenListAndNeverCancelsTheModalHolder) {
    CSettingsDlg holder;
    holder.script = [&](CSettingsDlg& dlg) {
        CPage page;
        ASSERT_TRUE(page.Create(IDD_PAGE, &dlg));
        HWND combo = ::GetDlgItem(page.m_hWnd, IDC_PAGE_COMBO);
        page.GotoDlgCtrl(CWnd::FromHandle(combo));
        EXPECT_EQ(::GetFocus(), combo);
        ::SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
        ASSERT_TRUE(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));

        Press(VK_ESCAPE);
        EXPECT_FALSE(::SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
        Press(VK_ESCAPE);
        EXPECT_EQ(page.siteClicks, 0);
        EXPECT_TRUE(page.IsWindowVisible());
        EXPECT_TRUE(dlg.IsWindowVisible());
        dlg.EndDialog(IDOK);
    };
    EXPECT_EQ(holder.DoModal(), IDOK);
}

TEST_F(DialogTest, DefaultButtonAndDialogUnits) {
    CSettingsDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_SETTINGS));
    EXPECT_EQ(dialog.GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
    dialog.SetDefID(IDCANCEL);
    EXPECT_EQ(dialog.GetDefID(), static_cast<DWORD>(MAKELONG(IDCANCEL, DC_HASDEFID)));

    RECT rect{40, 7, 140, 21};
    dialog.MapDialogRect(&rect);
    RECT edit{};
    ::GetWindowRect(dialog.Item(IDC_NAME), &edit);
    ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(rect.left, edit.left);
    EXPECT_EQ(rect.top, edit.top);
    EXPECT_EQ(rect.right, edit.right);
    EXPECT_EQ(rect.bottom, edit.bottom);
    EXPECT_GT(rect.right - rect.left, 100);

    dialog.ShowWindow(SW_SHOW);
    ::SetActiveWindow(dialog.m_hWnd);
    dialog.GotoDlgCtrl(CWnd::FromHandle(dialog.Item(IDC_NAME)));
    dialog.m_name = "不变";
    Press(VK_RETURN);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.m_name, "不变");
}

}  // namespace
