#include "manager/OptionsPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "common/RegistryKey.h"
#include "manager/AboutPage.h"
#include "manager/ManagerTest.h"
#include "resources/deskvane/resource.h"

namespace manager_testing {
namespace {

class OptionsPageTest : public ManagerAppTest {
protected:
    static std::string Read(const char* key, const char* name) {
        CRegistryKey registry;
        registry.SetRoot(HKEY_LOCAL_MACHINE);
        if (registry.SetKey(key, FALSE) == 0) {
            return "no key";
        }
        return std::string(registry.ReadString(name, "null"));
    }
    std::filesystem::path Autostart() const {
        return outside.path() / "config" / "autostart" / "larchway-hklm-dv09.desktop";
    }
    HWND Options() { return Main().Page(2)->m_hWnd; }
    bool Checked() { return ::IsDlgButtonChecked(Options(), IDC_AUTO_START) == BST_CHECKED; }
};

TEST_F(OptionsPageTest, StartWithTheSystemWritesTheRunValueAndItsAutostartEntry) {
    const std::string folder = platform::ToWindowsPath(this->folder.path()) + "\\";
    bool checkedAtStart = true;
    bool stillShown = false;
    std::string written;
    bool mirrored = false;
    Run({[&] {
        Main().ShowPage(2);
        checkedAtStart = Checked();
        Click(Options(), IDC_AUTO_START);
        Click(Options(), IDOK);
        written = Read(kRunKey, kRunValue);
        mirrored = std::filesystem::exists(Autostart());
        // Esc leaves the page as it is; Enter saves, here with the box cleared.
        Press(VK_ESCAPE);
        stillShown = ::IsWindowVisible(Options()) != FALSE;
        Click(Options(), IDC_AUTO_START);
        ::SetFocus(::GetDlgItem(Options(), IDC_AUTO_START));
        Press(VK_RETURN);
        Close();
    }});
    EXPECT_FALSE(checkedAtStart);
    EXPECT_EQ(written, "\"" + folder + "dvtp.exe\"");
    EXPECT_TRUE(mirrored);
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(Read(kRunKey, kRunValue), "null");
    EXPECT_FALSE(std::filesystem::exists(Autostart()));
    EXPECT_EQ(Read(kProgramKey, "ver"), "0.9");
    EXPECT_EQ(Read(kProgramKey, "path"), folder);
}

TEST_F(OptionsPageTest, AnyRunValueButNullChecksTheBoxAndTheAboutPageShowsItsPage) {
    CRegistryKey run;
    run.SetRoot(HKEY_LOCAL_MACHINE);
    ASSERT_NE(run.SetKey(kRunKey, TRUE), 0);
    run.WriteString(kRunValue, "C:\\old\\dvtp.exe");
    bool checked = false;
    std::string about;
    Run({[&] {
        Main().ShowPage(2);
        checked = Checked();
        Main().ShowPage(3);
        platform::PumpUntilIdle();
        about =
            std::string(static_cast<CAboutPage*>(Main().Page(3))->m_wndBrowser.GetLocationURL());
        Close();
    }});
    EXPECT_TRUE(checked);
    std::string folder = platform::ToWindowsPath(this->folder.path());
    std::replace(folder.begin(), folder.end(), '\\', '/');
    EXPECT_EQ(about, "file:///" + folder + "/data2/about.htm");
}

}  // namespace
}  // namespace manager_testing
