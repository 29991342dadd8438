#include "platform/link/WindowRecord.h"

#include <gtest/gtest.h>

#include "platform/link/LinkMessage.h"

namespace {

using platform::link::DecodeWindowRecord;
using platform::link::EncodeWindowRecord;
using platform::link::WindowRecord;

WindowRecord Sample() {
    WindowRecord record;
    record.processId = 0x01020304;
    record.processStart = 0x1122334455667788;
    record.window = 0xA0B0;
    record.owner = 0xC0;
    record.title = "Tp";
    record.visible = true;
    record.iconic = false;
    record.rect = {-1, 2, 300, 0x10000};
    record.zOrder = -2;
    return record;
}

TEST(WindowRecordTest, LayoutIsFixedLittleEndian) {
    const std::string expected(
        "LWIN"
        "\x01\x00"
        "\x02\x00"
        "\x04\x03\x02\x01"
        "\x88\x77\x66\x55\x44\x33\x22\x11"
        "\xB0\xA0\x00\x00\x00\x00\x00\x00"
        "\xC0\x00\x00\x00\x00\x00\x00\x00"
        "\xFF\xFF\xFF\xFF"
        "\x02\x00\x00\x00"
        "\x2C\x01\x00\x00"
        "\x00\x00\x01\x00"
        "\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF"
        "\x01"
        "Tp",
        63);
    EXPECT_EQ(EncodeWindowRecord(Sample()), expected);

    auto decoded = DecodeWindowRecord(expected);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->processId, 0x01020304u);
    EXPECT_EQ(decoded->processStart, 0x1122334455667788u);
    EXPECT_EQ(decoded->window, 0xA0B0u);
    EXPECT_EQ(decoded->owner, 0xC0u);
    EXPECT_EQ(decoded->title, "Tp");
    EXPECT_TRUE(decoded->visible);
    EXPECT_FALSE(decoded->iconic);
    EXPECT_EQ(decoded->rect.left, -1);
    EXPECT_EQ(decoded->rect.bottom, 0x10000);
    EXPECT_EQ(decoded->zOrder, -2);
}

TEST(WindowRecordTest, MalformedRecordsAreRefused) {
    const std::string good = EncodeWindowRecord(Sample());
    EXPECT_FALSE(DecodeWindowRecord(""));
    EXPECT_FALSE(DecodeWindowRecord(good.substr(0, good.size() - 1)));
    EXPECT_FALSE(DecodeWindowRecord(good + "x"));
    std::string bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(DecodeWindowRecord(bad));
    bad = good;
    bad[4] = 2;  // version
    EXPECT_FALSE(DecodeWindowRecord(bad));
    bad = good;
    bad[60] = 4;  // unknown flag
    EXPECT_FALSE(DecodeWindowRecord(bad));
    bad = good;
    bad[6] = '\xFF';  // title length beyond the limit
    bad[7] = '\xFF';
    EXPECT_FALSE(DecodeWindowRecord(bad));
}

TEST(WindowRecordTest, LongTitleIsCutAtACharacterBoundary) {
    WindowRecord record = Sample();
    record.title = std::string(platform::link::kMaxTitleBytes - 1, 'a') + "\xB1\xED" + "tail";
    auto decoded = DecodeWindowRecord(EncodeWindowRecord(record));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->title, std::string(platform::link::kMaxTitleBytes - 1, 'a'));
}

TEST(LinkMessageTest, RequestsAndRepliesRoundTripAndRejectDamage) {
    using namespace platform::link;
    const LinkRequest request{true, 0x10010, 1030, 0xFFFFFFFFFFFFFFFFu, -5};
    const std::string bytes = EncodeRequest(request);
    ASSERT_EQ(bytes.size(), kRequestBytes);
    auto decoded = DecodeRequest(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->wantsReply);
    EXPECT_EQ(decoded->window, 0x10010u);
    EXPECT_EQ(decoded->message, 1030u);
    EXPECT_EQ(decoded->wParam, 0xFFFFFFFFFFFFFFFFu);
    EXPECT_EQ(decoded->lParam, -5);
    std::string bad = bytes;
    bad[4] = 3;
    EXPECT_FALSE(DecodeRequest(bad));
    EXPECT_FALSE(DecodeRequest(bytes.substr(1)));

    const std::string reply = EncodeReply({ReplyStatus::kNoWindow, -77});
    ASSERT_EQ(reply.size(), kReplyBytes);
    auto decodedReply = DecodeReply(reply);
    ASSERT_TRUE(decodedReply);
    EXPECT_EQ(decodedReply->status, ReplyStatus::kNoWindow);
    EXPECT_EQ(decodedReply->result, -77);
    bad = reply;
    bad[0] = 9;
    EXPECT_FALSE(DecodeReply(bad));
}

}  // namespace
