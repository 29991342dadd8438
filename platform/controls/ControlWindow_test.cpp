#include "platform/controls/ControlWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/drawing/ResourceImages.h"
#include "platform/screen/ScreenApi.h"
#include "platform/windows/WindowTest.h"

namespace platform::testing {
namespace {

std::vector<std::string>& Trace() {
    static std::vector<std::string> trace;
    return trace;
}

// Built from the window and its creation data; records what it lives through. WM_USER answers
// the style it was built with, WM_USER + 1 whether its slot still points at it.
class CreationProbe {
public:
    CreationProbe(HWND hwnd, const CREATESTRUCTA& create)
        : hwnd_(hwnd), style_(static_cast<DWORD>(create.style)) {
        Trace().push_back("built " + std::string(create.lpszName));
    }
    ~CreationProbe() {
        Trace().push_back(GetWindowLongPtrA(hwnd_, 0) == 0 ? "deleted, slot clear"
                                                           : "deleted, slot kept");
    }
    CreationProbe(const CreationProbe&) = delete;
    CreationProbe& operator=(const CreationProbe&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_NCCREATE: {
                const bool reachable =
                    GetWindowLongPtrA(hwnd_, 0) == reinterpret_cast<LONG_PTR>(this);
                Trace().push_back(reachable ? "nccreate, reachable" : "nccreate, unreachable");
                const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
                if (std::string(create->lpszName) == "refuse") {
                    return FALSE;
                }
                return DefWindowProcA(hwnd_, message, wParam, lParam);
            }
            case WM_CREATE: {
                Trace().push_back("create");
                const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
                return std::string(create->lpszName) == "fail" ? -1 : 0;
            }
            case WM_DESTROY:
                Trace().push_back("destroy");
                return 0;
            case WM_USER:
                return static_cast<LRESULT>(style_);
            case WM_USER + 1:
                return GetWindowLongPtrA(hwnd_, 0) == reinterpret_cast<LONG_PTR>(this);
            default:
                return DefWindowProcA(hwnd_, message, wParam, lParam);
        }
    }

private:
    HWND hwnd_;
    DWORD style_;
};

// Built from the window alone; counts the messages it is given.
class HandleProbe {
public:
    explicit HandleProbe(HWND hwnd) : hwnd_(hwnd) {}
    ~HandleProbe() { Trace().push_back("deleted after " + std::to_string(seen_) + " messages"); }
    HandleProbe(const HandleProbe&) = delete;
    HandleProbe& operator=(const HandleProbe&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        ++seen_;
        if (message == WM_USER) {
            return static_cast<LRESULT>(wParam + static_cast<WPARAM>(lParam));
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }

private:
    HWND hwnd_;
    int seen_ = 0;
};

constexpr const char* kCreationClass = "ControlWindowCreationProbe";
constexpr const char* kHandleClass = "ControlWindowHandleProbe";

class ControlWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        [[maybe_unused]] static const bool registered = [] {
            RegisterControlClass(kCreationClass, ControlProcedure<CreationProbe>, CS_DBLCLKS);
            RegisterControlClass(kHandleClass, ControlProcedure<HandleProbe>, 0);
            return true;
        }();
        Trace().clear();
        parent_ = TopLevel();
    }

    HWND Make(const char* className, const char* text, DWORD style = 0) {
        return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20,
                               parent_, nullptr, nullptr, nullptr);
    }

    HWND parent_ = nullptr;
};

TEST_F(ControlWindowTest, ObjectLivesFromNonClientCreationToNonClientDestruction) {
    HWND control = Make(kCreationClass, "probe", WS_TABSTOP);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(static_cast<DWORD>(SendMessageA(control, WM_USER, 0, 0)),
              WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    EXPECT_EQ(SendMessageA(control, WM_USER + 1, 0, 0), TRUE);
    EXPECT_TRUE(DestroyWindow(control));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"built probe", "nccreate, reachable", "create",
                                                 "destroy", "deleted, slot clear"}));
}

TEST_F(ControlWindowTest, DestroyingTheParentDeletesEachChildObjectOnce) {
    ASSERT_NE(Make(kHandleClass, "one"), nullptr);
    ASSERT_NE(Make(kHandleClass, "two"), nullptr);
    EXPECT_TRUE(DestroyWindow(parent_));
    ASSERT_EQ(Trace().size(), 2u);
    EXPECT_EQ(Trace()[0].rfind("deleted after ", 0), 0u);
    EXPECT_EQ(Trace()[1].rfind("deleted after ", 0), 0u);
}

TEST_F(ControlWindowTest, ObjectBuiltFromTheWindowAloneAnswersWithItsOwnResults) {
    HWND control = Make(kHandleClass, "sum");
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(SendMessageA(control, WM_USER, 40, 2), 42);
    EXPECT_EQ(SendMessageA(control, WM_USER, 7, -7), 0);
}

TEST_F(ControlWindowTest, RefusedNonClientCreationDeletesTheObjectAndFailsCreation) {
    EXPECT_EQ(Make(kCreationClass, "refuse"), nullptr);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"built refuse", "nccreate, reachable",
                                                 "deleted, slot clear"}));
}

TEST_F(ControlWindowTest, FailedCreationDeletesTheObjectOnce) {
    EXPECT_EQ(Make(kCreationClass, "fail"), nullptr);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"built fail", "nccreate, reachable", "create",
                                                 "destroy", "deleted, slot clear"}));
}

TEST_F(ControlWindowTest, NonClientCreationWithoutCreationDataIsRefused) {
    HWND plain = TopLevel();
    EXPECT_EQ(ControlProcedure<HandleProbe>(plain, WM_NCCREATE, 0, 0), FALSE);
    EXPECT_EQ(GetWindowLongPtrA(plain, 0), 0);
    EXPECT_TRUE(Trace().empty());
}

TEST_F(ControlWindowTest, MessagesWithoutAnObjectGoToTheDefaultProcedure) {
    HWND plain = TopLevel(WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, "before");
    EXPECT_EQ(ControlProcedure<CreationProbe>(plain, WM_USER, 0, 0), 0);
    EXPECT_EQ(
        ControlProcedure<CreationProbe>(plain, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after")),
        TRUE);
    char text[16] = {};
    GetWindowTextA(plain, text, sizeof(text));
    EXPECT_STREQ(text, "after");
    EXPECT_TRUE(Trace().empty());
}

TEST_F(ControlWindowTest, RegisteredClassKeepsStyleBackgroundCursorAndRoomForTheObject) {
    constexpr const char* name = "ControlWindowRegistered";
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HCURSOR cursor = LoadCursorA(nullptr, IDC_IBEAM);
    const ATOM atom = RegisterControlClass(name, ControlProcedure<HandleProbe>,
                                           CS_DBLCLKS | CS_HREDRAW, background, cursor);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(RegisterControlClass(name, ControlProcedure<CreationProbe>, 0), 0);

    ResetWindowSystemForTesting();
    WNDCLASSEXA info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetClassInfoExA(nullptr, name, &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW));
    EXPECT_EQ(info.lpfnWndProc, ControlProcedure<HandleProbe>);
    EXPECT_GE(info.cbWndExtra, static_cast<int>(sizeof(void*)));
    EXPECT_EQ(info.hbrBackground, background);
    EXPECT_EQ(info.hCursor, cursor);
}

}  // namespace
}  // namespace platform::testing
