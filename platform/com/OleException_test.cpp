#include "platform/com/OleException.h"

#include <gtest/gtest.h>

#include "platform/com/OleDispatchException.h"

namespace {

TEST(OleExceptionTest, ThrownOnTheHeapAndEndedByDelete) {
    try {
        AfxThrowOleException(E_NOINTERFACE);
    } catch (COleException* exception) {
        EXPECT_EQ(E_NOINTERFACE, exception->m_sc);
        char text[64];
        EXPECT_TRUE(exception->GetErrorMessage(text, sizeof text));
        EXPECT_STREQ("No such interface supported", text);
        exception->Delete();
    }
    COleException onStack;
    onStack.m_bAutoDelete = FALSE;
    onStack.Delete();
    onStack.m_sc = 0x80041234;
    char text[8] = "x";
    EXPECT_FALSE(onStack.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ("", text);
}

TEST(OleExceptionTest, MessagesAreCutWholeCharactersOnly) {
    try {
        AfxThrowOleDispatchException(3, "错误abc", 17);
    } catch (COleDispatchException* exception) {
        EXPECT_EQ(3, exception->m_wCode);
        char text[4];
        UINT help = 0;
        // "错误" is four GBK bytes; three fit, which hold one whole character.
        EXPECT_TRUE(exception->GetErrorMessage(text, sizeof text, &help));
        EXPECT_STREQ("错", text);
        EXPECT_EQ(17u, help);
        EXPECT_FALSE(exception->GetErrorMessage(text, 0));
        exception->Delete();
    }
}

}  // namespace
