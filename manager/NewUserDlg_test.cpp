#include "manager/NewUserDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "manager/AccountFile.h"
#include "manager/DiaryTest.h"
#include "manager/ManagerTest.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

using Dialog = platform::testing::ScriptedDialog<CNewUserDlg>;

class NewUserDlgTest : public ManagerDialogTest {
protected:
    // Fills the three fields and presses OK: the message shown, or "" when none was.
    std::string Try(HWND dialog, const std::string& user, const char* password,
                    const char* confirmation) {
        ::SetDlgItemTextA(dialog, IDC_USER_NAME, user.c_str());
        ::SetDlgItemTextA(dialog, IDC_PASSWORD, password);
        ::SetDlgItemTextA(dialog, IDC_CONFIRM_PASSWORD, confirmation);
        Click(dialog, IDOK);
        const std::vector<std::string> messages = TakeMessages();
        return messages.empty() ? "" : messages.back();
    }
};

TEST_F(NewUserDlgTest, TheChecksComeInOrderAndTheAccountLineIsTheDigestOfNamePasswordAndSalt) {
    std::vector<std::string> messages;
    std::vector<std::size_t> typed;
    bool openAfterFailures = false;
    const std::string forty(40, 'n');
    Dialog dialog;
    dialog.script = [&](Dialog& self) {
        HWND d = self.m_hWnd;
        messages.push_back(Try(d, "abc", "pass", "pass"));
        // A colon is refused before the password is looked at.
        messages.push_back(Try(d, "ab:cd", "abc", "abc"));
        // The trail byte of 乗 is a backslash.
        messages.push_back(Try(d, "ab\x81\x5c", "abcd", "abcd"));
        messages.push_back(Try(d, "小明", "abc", "abc"));
        messages.push_back(Try(d, "小明", "abcd", "abce"));
        openAfterFailures = ::IsWindow(d) != FALSE;
        // Each field takes 40 characters.
        for (int id : {IDC_USER_NAME, IDC_PASSWORD, IDC_CONFIRM_PASSWORD}) {
            typed.push_back(TypeInto(d, id, 41).size());
        }
        messages.push_back(Try(d, forty, "abcd", "abcd"));
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(openAfterFailures);
    EXPECT_EQ(typed, (std::vector<std::size_t>{40, 40, 40}));
    EXPECT_EQ(messages,
              (std::vector<std::string>{"账号长度不足不正确(4-40字符)", "账号中有非法字符",
                                        "账号中有非法字符", "密码不一致,或密码长度不足(4-40字符)",
                                        "密码不一致,或密码长度不足(4-40字符)", ""}));
    EXPECT_EQ(folder.ReadFile("notebook/" + forty + "/pass.dat"),
              CAccountFile::CheckValue(forty, "abcd") + "\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "notebook/小明"));
}

TEST_F(NewUserDlgTest, AnAccountFileThatCannotBeWrittenIsReportedAndTheDialogStays) {
    folder.WriteFile("notebook", "a file where the folder belongs");
    std::string message;
    Dialog dialog;
    dialog.script = [&](Dialog& self) {
        message = Try(self.m_hWnd, "tom1", "abcd", "abcd");
        Click(self.m_hWnd, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(message, "账号中有非法字符,请检查.");
    EXPECT_EQ(folder.ReadFile("notebook"), "a file where the folder belongs");
}

TEST_F(NewUserDlgTest, ANameThatDiffersOnlyInCaseIsAnExistingUser) {
    folder.WriteFile("notebook/tom1/pass.dat", "F1371A0CA3813E0D138A629905E33273\r\n");
    std::string message;
    Dialog dialog;
    dialog.script = [&](Dialog& self) {
        message = Try(self.m_hWnd, "Tom1", "other", "other");
        Click(self.m_hWnd, IDCANCEL);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(message, "该用户己经存在");
    EXPECT_EQ(folder.ReadFile("notebook/tom1/pass.dat"), "F1371A0CA3813E0D138A629905E33273\r\n");
}

}  // namespace
}  // namespace manager_testing
