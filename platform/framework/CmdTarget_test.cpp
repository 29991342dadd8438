#include "platform/framework/CmdTarget.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/CmdUI.h"

namespace {

class CRecordingUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { check = nCheck; }
    BOOL enabled = -1;
    int check = -1;
};

class CBaseTarget : public CCmdTarget {
public:
    std::vector<std::string> calls;

protected:
    void OnOpen() { calls.push_back("base open"); }
    void OnSave() { calls.push_back("base save"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
ON_COMMAND(100, OnOpen)
ON_COMMAND(101, OnSave)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget {
public:
    BOOL letRoutingGoOn = FALSE;

protected:
    void OnOpen() { calls.push_back("derived open"); }
    void OnHistory(UINT nID) { calls.push_back("history " + std::to_string(nID)); }
    BOOL OnMaybe(UINT nID) {
        calls.push_back("maybe " + std::to_string(nID));
        return !letRoutingGoOn;
    }
    void OnUpdateSave(CCmdUI* pCmdUI) {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(1);
    }
    void OnUpdateShared(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult) {
        calls.push_back("click from " + std::to_string(pNMHDR->idFrom));
        *pResult = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
ON_COMMAND(100, OnOpen)
ON_COMMAND_RANGE(1125, 1134, OnHistory)
ON_COMMAND_EX(200, OnMaybe)
ON_UPDATE_COMMAND_UI(101, OnUpdateSave)
ON_UPDATE_COMMAND_UI(102, OnUpdateShared)
ON_NOTIFY(0U - 2U, 1012, OnClick)
END_MESSAGE_MAP()

TEST(CmdTargetTest, TheMostDerivedEntryWinsAndBasesStillServe) {
    CDerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(100, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(101, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(102, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"derived open", "base save"}));
}

TEST(CmdTargetTest, RangesPassTheIdAndStopAtTheirEnds) {
    CDerivedTarget target;
    EXPECT_FALSE(target.OnCmdMsg(1124, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(1125, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(1134, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(1135, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"history 1125", "history 1134"}));
}

TEST(CmdTargetTest, ExtendedHandlersDecideWhetherRoutingGoesOn) {
    CDerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(200, CN_COMMAND, nullptr, nullptr));
    target.letRoutingGoOn = TRUE;
    EXPECT_FALSE(target.OnCmdMsg(200, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"maybe 200", "maybe 200"}));
}

TEST(CmdTargetTest, UpdateHandlersSetTheItemAndMayPassItOn) {
    CDerivedTarget target;
    CRecordingUI save;
    save.m_nID = 101;
    EXPECT_TRUE(save.DoUpdate(&target, FALSE));
    EXPECT_EQ(save.enabled, FALSE);
    EXPECT_EQ(save.check, 1);

    CRecordingUI shared;
    shared.m_nID = 102;
    EXPECT_FALSE(shared.DoUpdate(&target, FALSE));
    EXPECT_EQ(shared.enabled, -1);
    EXPECT_FALSE(shared.m_bContinueRouting);
}

TEST(CmdTargetTest, ItemsWithoutAnUpdateHandlerKeepTheirStateUnlessAsked) {
    CDerivedTarget target;
    CRecordingUI orphan;
    orphan.m_nID = 555;
    EXPECT_FALSE(orphan.DoUpdate(&target, FALSE));
    EXPECT_EQ(orphan.enabled, -1);
    EXPECT_FALSE(orphan.DoUpdate(&target, TRUE));
    EXPECT_EQ(orphan.enabled, FALSE);

    CRecordingUI open;
    open.m_nID = 100;
    open.DoUpdate(&target, TRUE);
    EXPECT_EQ(open.enabled, TRUE);
    EXPECT_TRUE(target.calls.empty());
}

TEST(CmdTargetTest, NotificationsMatchCodeAndIdAndFillTheResult) {
    CDerivedTarget target;
    NMHDR header{nullptr, 1012, 0U - 2U};
    LRESULT result = 0;
    AFX_NOTIFY notify{&result, &header};
    EXPECT_TRUE(
        target.OnCmdMsg(1012, static_cast<int>(MAKELONG(0xFFFE, WM_NOTIFY)), &notify, nullptr));
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(
        target.OnCmdMsg(1013, static_cast<int>(MAKELONG(0xFFFE, WM_NOTIFY)), &notify, nullptr));
    EXPECT_FALSE(
        target.OnCmdMsg(1012, static_cast<int>(MAKELONG(0xFFFD, WM_NOTIFY)), &notify, nullptr));
    EXPECT_EQ(target.calls, (std::vector<std::string>{"click from 1012"}));
}

TEST(CmdTargetTest, HandlerInfoReportsWithoutCalling) {
    CDerivedTarget target;
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(target.OnCmdMsg(101, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &target);
    ASSERT_NE(info.pEntry, nullptr);
    EXPECT_EQ(info.pEntry->nID, 101u);
    EXPECT_TRUE(target.calls.empty());
}

}  // namespace
