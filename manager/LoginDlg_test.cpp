#include "manager/LoginDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/AccountFile.h"
#include "manager/DiaryTest.h"
#include "manager/ManagerTest.h"
#include "platform/framework/ScriptedDialogTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

using Dialog = platform::testing::ScriptedDialog<CLoginDlg>;

class LoginDlgTest : public ManagerDialogTest {
protected:
    std::string Try(HWND dialog, const std::string& user, const char* password) {
        ::SetDlgItemTextA(dialog, IDC_USER_NAME, user.c_str());
        ::SetDlgItemTextA(dialog, IDC_PASSWORD, password);
        Click(dialog, IDOK);
        const std::vector<std::string> messages = TakeMessages();
        return messages.empty() ? "" : messages.back();
    }
};

TEST_F(LoginDlgTest, OnlyTheExactAccountLineLogsIn) {
    const std::string line = CAccountFile::CheckValue("tom1", "abcd");
    ASSERT_EQ(line, "F1371A0CA3813E0D138A629905E33273");
    // A name that climbs out of the notebook folder names no account, even with a matching line.
    folder.WriteFile("evil/pass.dat", CAccountFile::CheckValue("..\\evil", "abcd") + "\r\n");

    std::vector<std::string> messages;
    std::vector<std::size_t> typed;
    Dialog dialog;
    dialog.script = [&](Dialog& self) {
        HWND d = self.m_hWnd;
        messages.push_back(Try(d, "..\\evil", "abcd"));
        messages.push_back(Try(d, "nobody", "abcd"));
        folder.WriteFile("notebook/tom1/pass.dat", line + " \r\n");
        messages.push_back(Try(d, "tom1", "abcd"));
        folder.WriteFile("notebook/tom1/pass.dat", line + std::string(10000, 'A') + "\r\n");
        messages.push_back(Try(d, "tom1", "abcd"));
        folder.WriteFile("notebook/tom1/pass.dat", "");
        messages.push_back(Try(d, "tom1", "abcd"));
        folder.WriteFile("notebook/tom1/pass.dat", line + "\r\n");
        messages.push_back(Try(d, "tom1", "abce"));
        for (int id : {IDC_USER_NAME, IDC_PASSWORD}) {
            typed.push_back(TypeInto(d, id, 41).size());
        }
        messages.push_back(Try(d, "tom1", "abcd"));
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(messages, (std::vector<std::string>{"用户名或密码不正确.", "用户名或密码不正确.",
                                                  "用户名或密码不正确.", "用户名或密码不正确.",
                                                  "系统文件被破坏,不能打开该用户数据.",
                                                  "用户名或密码不正确.", ""}));
    EXPECT_EQ(typed, (std::vector<std::size_t>{40, 40}));
    EXPECT_EQ(std::string(dialog.m_userName), "tom1");
    EXPECT_EQ(std::string(dialog.m_password), "abcd");
}

}  // namespace
}  // namespace manager_testing
