#include "platform/resources/DialogTemplate.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

DialogTemplate SampleDialog() {
    DialogTemplate dialog;
    dialog.extended = true;
    dialog.style = 0x80C800C0;
    dialog.exStyle = 0x40000;
    dialog.x = -5;
    dialog.cx = 521;
    dialog.cy = 345;
    dialog.menu = "#128";
    dialog.caption = "截屏管理";
    dialog.hasFont = true;
    dialog.pointSize = 9;
    dialog.faceName = "宋体";
    DialogControl button;
    button.id = 1009;
    button.className = "Button";
    button.style = 0x5001000B;
    button.text = "截取全屏";
    DialogControl icon;
    icon.id = 0xFFFFFFFF;
    icon.className = "Static";
    icon.textResourceId = 128;
    icon.extraData = std::string("\0\1", 2);
    dialog.controls = {button, icon};
    return dialog;
}

TEST(DialogTemplateTest, RoundTripsEveryField) {
    std::vector<std::uint8_t> bytes = EncodeDialogTemplate(SampleDialog());
    std::optional<DialogTemplate> decoded = DecodeDialogTemplate(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(EncodeDialogTemplate(*decoded), bytes);
    EXPECT_EQ(decoded->caption, "截屏管理");
    EXPECT_EQ(decoded->x, -5);
    ASSERT_EQ(decoded->controls.size(), 2u);
    EXPECT_FALSE(decoded->controls[0].textResourceId);
    EXPECT_EQ(decoded->controls[1].textResourceId, std::optional<WORD>(128));
    EXPECT_EQ(decoded->controls[1].id, 0xFFFFFFFFu);
    EXPECT_EQ(decoded->controls[1].extraData, std::string("\0\1", 2));
}

TEST(DialogTemplateTest, RefusesEveryTruncationAndTrailingBytes) {
    std::vector<std::uint8_t> bytes = EncodeDialogTemplate(SampleDialog());
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(DecodeDialogTemplate(std::span(bytes.data(), length))) << length;
    }
    bytes.push_back(0);
    EXPECT_FALSE(DecodeDialogTemplate(bytes));
}

TEST(DialogTemplateTest, RefusesAControlCountBeyondTheData) {
    DialogTemplate empty;
    std::vector<std::uint8_t> bytes = EncodeDialogTemplate(empty);
    // The count is the last field of a template without controls.
    bytes[bytes.size() - 4] = 0x10;
    EXPECT_FALSE(DecodeDialogTemplate(bytes));
    std::vector<std::uint8_t> wrongMagic = EncodeDialogTemplate(empty);
    wrongMagic[0] ^= 1;
    EXPECT_FALSE(DecodeDialogTemplate(wrongMagic));
}

}  // namespace
}  // namespace platform
