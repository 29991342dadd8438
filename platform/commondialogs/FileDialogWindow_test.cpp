#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/commondialogs/CommonDialogTest.h"
#include "platform/commondialogs/FileDialogApi.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBoxApi.h"
#include "platform/files/FileApi.h"
#include "platform/files/MappedDriveTest.h"
#include "platform/screen/ScreenApi.h"

namespace platform {
namespace {

using testing::CommonDialogTestOwner;

constexpr char kFilter[] = "HTML Files\0*.htm;*.html\0Text Files\0*.txt\0All Files\0*.*\0";

class FileDialogWindowTest : public testing::MappedDriveTest {
protected:
    void SetUp() override {
        ResetWindowSystemForTesting();
        InstallScreen();
        Write("docs/page.htm", "<p>");
        Write("docs/Index.HTML", "<p>");
        Write("docs/notes.txt", "n");
        Write("docs/sub/deep.txt", "d");
        Write("docs/sub/more/x.txt", "x");
        SetCurrentDirectoryA("C:\\");
        TakeCommonDialogRequests();
        TakeShownMessageBoxes();
    }
    void TearDown() override {
        SetMessageBoxAnswerer({});
        TakeCommonDialogRequests();
        TakeShownMessageBoxes();
        ResetWindowSystemForTesting();
    }

    OPENFILENAMEA Request(HWND owner, DWORD flags) {
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file_;
        ofn.nMaxFile = sizeof file_;
        ofn.lpstrInitialDir = "C:\\docs";
        ofn.Flags = flags;
        return ofn;
    }

    static std::vector<std::string> Rows(HWND dialog) {
        HWND list = GetDlgItem(dialog, FILE_DIALOG_LIST);
        std::vector<std::string> rows;
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[MAX_PATH] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            rows.emplace_back(text);
        }
        return rows;
    }

    static void Click(HWND hwnd, POINT point) {
        ClientToScreen(hwnd, &point);
        InjectMouse(MOUSEEVENTF_LEFTDOWN, point);
        InjectMouse(MOUSEEVENTF_LEFTUP, point);
        PumpUntilIdle();
    }
    static void ClickRow(HWND dialog, int row) {
        HWND list = GetDlgItem(dialog, FILE_DIALOG_LIST);
        RECT rect{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&rect));
        Click(list, POINT{rect.left + 4, (rect.top + rect.bottom) / 2});
    }
    static void ClickButton(HWND dialog, int id) {
        HWND button = GetDlgItem(dialog, id);
        RECT rect{};
        GetClientRect(button, &rect);
        Click(button, POINT{rect.right / 2, rect.bottom / 2});
    }

    char file_[MAX_PATH] = {};
};

TEST_F(FileDialogWindowTest, TypedPatternsFilterTheListAndATypedNameIsChosen) {
    CommonDialogTestOwner owner;
    std::vector<std::string> first;
    std::vector<std::string> afterPattern;
    std::string folderText;
    std::string caption;
    owner.WhenShown([&](HWND dialog) {
        caption = CommonDialogTestOwner::Text(dialog);
        folderText = CommonDialogTestOwner::Text(GetDlgItem(dialog, FILE_DIALOG_FOLDER_TEXT));
        first = Rows(dialog);
        // For a person to look at.
        PumpUntilIdle();
        const std::filesystem::path folder(PROJECT_TEST_OUTPUT_DIR);
        std::filesystem::create_directories(folder);
        WriteWindowPng(dialog, folder / "commondialogs-open-file.png");
        CommonDialogTestOwner::Type("*.txt");
        CommonDialogTestOwner::Tap(VK_RETURN);
        PumpUntilIdle();
        afterPattern = Rows(dialog);
        // The pattern was selected, so typing replaces it; the default extension is added.
        CommonDialogTestOwner::Type("notes");
        CommonDialogTestOwner::Tap(VK_RETURN);
    });
    OPENFILENAMEA ofn = Request(owner.hwnd(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST);
    ofn.lpstrDefExt = "txt";
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\notes.txt");
    EXPECT_EQ(ofn.nFileOffset, 8);
    EXPECT_EQ(ofn.nFilterIndex, 1u);
    EXPECT_EQ(caption, "打开");
    EXPECT_EQ(folderText, "C:\\docs");
    EXPECT_EQ(first, (std::vector<std::string>{"[..]", "[sub]", "Index.HTML", "page.htm"}));
    EXPECT_EQ(afterPattern, (std::vector<std::string>{"[..]", "[sub]", "notes.txt"}));
    EXPECT_TRUE(TakeShownMessageBoxes().empty());
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
}

TEST_F(FileDialogWindowTest, ClicksOpenFoldersPickFilesAndTheFilterList) {
    CommonDialogTestOwner owner;
    std::vector<std::string> inSub;
    std::vector<std::string> allFiles;
    std::string nameAfterClick;
    owner.WhenShown([&](HWND dialog) {
        // Filter "All Files" through the type list, as a user's choice.
        HWND types = GetDlgItem(dialog, FILE_DIALOG_TYPES);
        SendMessageA(types, CB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FILE_DIALOG_TYPES, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(types));
        allFiles = Rows(dialog);
        // Select "[sub]" and press Enter in the list: the folder opens.
        ClickRow(dialog, 1);
        CommonDialogTestOwner::Tap(VK_RETURN);
        PumpUntilIdle();
        inSub = Rows(dialog);
        ClickRow(dialog, 2);
        nameAfterClick = CommonDialogTestOwner::Text(GetDlgItem(dialog, FILE_DIALOG_NAME));
        ClickButton(dialog, IDOK);
    });
    OPENFILENAMEA ofn = Request(owner.hwnd(), OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR);
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\sub\\deep.txt");
    EXPECT_EQ(ofn.nFilterIndex, 3u);
    EXPECT_EQ(allFiles,
              (std::vector<std::string>{"[..]", "[sub]", "Index.HTML", "notes.txt", "page.htm"}));
    EXPECT_EQ(inSub, (std::vector<std::string>{"[..]", "[more]", "deep.txt"}));
    EXPECT_EQ(nameAfterClick, "deep.txt");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STREQ(current, "C:\\");
}

TEST_F(FileDialogWindowTest, SavingOverAFileAsksAndNoKeepsTheDialogOpen) {
    CommonDialogTestOwner owner;
    bool openAfterNo = false;
    int shown = 0;
    std::function<void(HWND)> steps = [&](HWND) {
        ++shown;
        CommonDialogTestOwner::Type("notes.txt");
        CommonDialogTestOwner::Tap(VK_RETURN);
    };
    owner.WhenShown(steps);
    OPENFILENAMEA ofn = Request(owner.hwnd(), OFN_OVERWRITEPROMPT);
    // No keeps the dialog up, so the steps run again and the second answer is yes.
    bool first = true;
    SetMessageBoxAnswerer([&](const MessageBoxCall& call) {
        EXPECT_NE(call.owner, owner.hwnd());
        if (first) {
            first = false;
            openAfterNo = true;
            owner.WhenShown(steps);
            return IDNO;
        }
        return IDYES;
    });
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_STREQ(file_, "C:\\docs\\notes.txt");
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(shown, 2);
    const auto boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "C:\\docs\\notes.txt 已存在。\n要替换它吗？");
    EXPECT_EQ(boxes[0].caption, "另存为");
    EXPECT_EQ(boxes[0].result, IDNO);
    EXPECT_EQ(boxes[1].result, IDYES);
}

TEST_F(FileDialogWindowTest, AMissingFileIsRefusedAndEscCancels) {
    CommonDialogTestOwner owner;
    SetMessageBoxAnswerer([](const MessageBoxCall&) { return IDOK; });
    std::string proposed;
    std::string nameAfterRefusal;
    DWORD selectionAfterRefusal = 0;
    owner.WhenShown([&](HWND dialog) {
        HWND name = GetDlgItem(dialog, FILE_DIALOG_NAME);
        proposed = CommonDialogTestOwner::Text(name);
        // The proposed name is selected, so typing replaces it.
        CommonDialogTestOwner::Type("gone.htm");
        CommonDialogTestOwner::Tap(VK_RETURN);
        PumpUntilIdle();
        nameAfterRefusal = CommonDialogTestOwner::Text(name);
        selectionAfterRefusal = static_cast<DWORD>(SendMessageA(name, EM_GETSEL, 0, 0));
        CommonDialogTestOwner::Tap(VK_ESCAPE);
    });
    std::strcpy(file_, "keep");
    OPENFILENAMEA ofn = Request(owner.hwnd(), OFN_FILEMUSTEXIST);
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(proposed, "keep");
    // The refused name stays, selected for the next try.
    EXPECT_EQ(nameAfterRefusal, "gone.htm");
    EXPECT_EQ(selectionAfterRefusal, MAKELONG(0, 8));
    const auto boxes = TakeShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "C:\\docs\\gone.htm\n找不到文件。\n请检查文件名是否正确。");
}

TEST_F(FileDialogWindowTest, AChoiceTooLongForTheBufferFails) {
    CommonDialogTestOwner owner;
    owner.WhenShown([](HWND) {
        CommonDialogTestOwner::Type("page.htm");
        CommonDialogTestOwner::Tap(VK_RETURN);
    });
    char small[8] = {};
    OPENFILENAMEA ofn = Request(owner.hwnd(), 0);
    ofn.lpstrFile = small;
    ofn.nMaxFile = sizeof small;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD needed = 0;
    std::memcpy(&needed, small, sizeof needed);
    EXPECT_EQ(needed, 17);
}

}  // namespace
}  // namespace platform
