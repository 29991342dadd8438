#include "platform/resources/RcCompiler.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/resources/AcceleratorTable.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/RcError.h"
#include "platform/resources/StringBlock.h"

namespace platform {
namespace {

// Scripts live in memory, keyed by path, so that every failure path is reachable without files.
class RcCompilerTest : public ::testing::Test {
protected:
    RcCompilation Compile(const std::string& script) {
        files_["dir/main.rc"] = script;
        return CompileResourceScript("dir/main.rc", [this](const std::string& path) {
            auto found = files_.find(path);
            return found == files_.end() ? std::nullopt : std::optional<std::string>(found->second);
        });
    }

    // The message of the compile failure, or "" when the script compiles.
    std::string ErrorOf(const std::string& script) {
        try {
            Compile(script);
        } catch (const RcError& error) {
            return error.what();
        }
        return "";
    }

    const CompiledResource* Find(const RcCompilation& compilation, const std::string& type,
                                 const std::string& name) {
        for (const CompiledResource& resource : compilation.resources) {
            if (resource.type == type && resource.name == name) {
                return &resource;
            }
        }
        return nullptr;
    }

    std::map<std::string, std::string> files_;
};

TEST_F(RcCompilerTest, FaultsNameTheFileAndLine) {
    EXPECT_EQ(
        ErrorOf("1 DIALOG 0, 0, 10, 10\nBEGIN\n  PUSHBUTTON \"a\", IDC_NOPE, 1, 2, 3, 4\nEND\n"),
        "dir/main.rc:3: undefined symbol 'IDC_NOPE'");
    EXPECT_EQ(ErrorOf("STRINGTABLE\nBEGIN\n  1 \"open\n  2 \"b\"\nEND\n"),
              "dir/main.rc:3: unterminated string");
    EXPECT_EQ(ErrorOf("#include \"missing.h\"\n"),
              "dir/main.rc:1: cannot open include file 'dir/missing.h'");
    EXPECT_EQ(ErrorOf("\n#ifdef X\n1 RCDATA BEGIN 1 END\n"), "dir/main.rc:2: #if without #endif");
    EXPECT_EQ(ErrorOf("#endif\n"), "dir/main.rc:1: #endif without #if");
    EXPECT_EQ(ErrorOf("1 BITMAP \"a.bmp\"\n"), "dir/main.rc:1: cannot open file 'dir/a.bmp'");
    EXPECT_EQ(ErrorOf("1 MENU\nBEGIN\n  MENUITEM \"a\", 5\n"),
              "dir/main.rc:3: unexpected end of file");
    EXPECT_EQ(ErrorOf("1 DIALOG 0, 0, 10, 10\nBEGIN\n  WIDGET \"a\", 1, 1, 2, 3, 4\nEND\n"),
              "dir/main.rc:3: unknown control statement 'WIDGET'");
    EXPECT_EQ(ErrorOf("1 ACCELERATORS\nBEGIN\n  \"ab\", 5, VIRTKEY\nEND\n"),
              "dir/main.rc:3: an accelerator key must be one character");
    EXPECT_EQ(ErrorOf("1 RCDATA\nBEGIN\n  1 / (2 - 2)\nEND\n"), "dir/main.rc:3: division by zero");
    EXPECT_EQ(ErrorOf("1 RCDATA\nBEGIN\n  1 @ 2\nEND\n"),
              "dir/main.rc:3: unexpected character '@'");
    EXPECT_EQ(ErrorOf("#warning x\n"), "dir/main.rc:1: unknown directive #warning");
    EXPECT_EQ(ErrorOf("1 DLGINIT\nBEGIN\n  5, 0x403, 1, 0, 0x6261\nEND\n"),
              "dir/main.rc:3: initial data longer than its count");
    EXPECT_EQ(ErrorOf("1 ACCELERATORS\nBEGIN\n  \"^1\", 5\nEND\n"),
              "dir/main.rc:3: '^' must be followed by a letter in an ASCII accelerator");
    EXPECT_EQ(ErrorOf("1 ACCELERATORS BEGIN\n\"a\", 5, VIRTKEY, ASCII\nEND\n"),
              "dir/main.rc:2: an accelerator cannot be both VIRTKEY and ASCII");
    EXPECT_EQ(ErrorOf("1 DIALOG 0, 0, 1, 1\nSTYLE\nBEGIN END\n"),
              "dir/main.rc:3: undefined symbol 'BEGIN'");
    EXPECT_EQ(ErrorOf("70000 RCDATA BEGIN 1 END\n"),
              "dir/main.rc:1: resource number 70000 out of range");
    EXPECT_EQ(ErrorOf("1 5 BEGIN 1 END\n"),
              "dir/main.rc:1: resource type 5 needs its own statement");
    EXPECT_EQ(ErrorOf("\"\" RCDATA BEGIN 1 END\n"), "dir/main.rc:1: resource name expected");
    EXPECT_EQ(ErrorOf("1 MENU BEGIN MENUITEM \"a\", 2, BOLD END\n"),
              "dir/main.rc:1: menu item option expected");
}

TEST_F(RcCompilerTest, FaultsInsideAnIncludedFileNameThatFile) {
    files_["dir/sub/ids.h"] = "#define A 1\n#define B\n#if\n#endif\n";
    EXPECT_EQ(ErrorOf("#include \"sub\\ids.h\"\n"), "dir/sub/ids.h:3: condition expected");
    files_["dir/self.h"] = "#include \"self.h\"\n";
    EXPECT_EQ(ErrorOf("#include \"self.h\"\n"), "dir/self.h:1: #include nests too deeply");
}

TEST_F(RcCompilerTest, DuplicatesAreRefused) {
    EXPECT_EQ(ErrorOf("1 RCDATA BEGIN 1 END\n\n#define ONE 1\nONE RCDATA BEGIN 2 END\n"),
              "dir/main.rc:4: resource #1 of type #10 defined twice");
    EXPECT_EQ(ErrorOf("STRINGTABLE BEGIN 7 \"a\" END\nSTRINGTABLE\nBEGIN\n 7 \"b\"\nEND\n"),
              "dir/main.rc:4: string 7 defined twice");
    // The same number under two types is fine.
    EXPECT_EQ(ErrorOf("1 RCDATA BEGIN 1 END\n1 MENU BEGIN MENUITEM \"a\", 1 END\n"), "");
}

TEST_F(RcCompilerTest, MacrosThatNeverEndFailInsteadOfRecursing) {
    // As in C, A is not expanded inside its own expansion.
    EXPECT_EQ(ErrorOf("#define A (A + 1)\n1 RCDATA BEGIN A END\n"),
              "dir/main.rc:2: undefined symbol 'A'");
    std::string chain;
    for (int i = 0; i < 100; ++i) {
        chain += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + "\n";
    }
    EXPECT_EQ(ErrorOf(chain + "\n1 RCDATA BEGIN M0 END\n"),
              "dir/main.rc:102: macro 'M64' expands too deeply");
    EXPECT_EQ(ErrorOf("#define F(x) x\n1 RCDATA BEGIN F END\n"),
              "dir/main.rc:2: macro 'F' takes arguments, which are not supported");
    std::string deep(200, '(');
    EXPECT_EQ(ErrorOf("1 RCDATA BEGIN " + deep + "1 END\n"),
              "dir/main.rc:1: expression nests too deeply");
    std::string menu = "1 MENU\n";
    for (int i = 0; i < 40; ++i) {
        menu += "BEGIN POPUP \"p\"\n";
    }
    EXPECT_EQ(ErrorOf(menu), "dir/main.rc:18: menu nests too deeply");
}

TEST_F(RcCompilerTest, ConditionsAndExpressions) {
    RcCompilation compilation = Compile(
        "#define BASE (WM_USER + 6)\n"
        "#define NEXT BASE*2 - 1\n"
        "#if defined(BASE) && BASE == 0x406\n"
        "1 RCDATA BEGIN NEXT, -1, ~0 & 0xFF, 1 << 4 | 1 END\n"
        "#elif 1\n"
        "1 RCDATA BEGIN 99 END\n"
        "#else\n"
        "#error never\n"
        "#endif\n"
        "#ifndef BASE\n"
        "2 RCDATA BEGIN 1 END\n"
        "#endif\n"
        "#undef BASE\n"
        "#define BASE 5\n"
        "#undef BASE\n"
        "#ifdef BASE\n"
        "3 RCDATA BEGIN 1 END\n"
        "#endif\n"
        "#include <windows.h>\n"
        "#include \"afxres.h\"\n");
    ASSERT_EQ(compilation.resources.size(), 1u);
    // 0x406 * 2 - 1 = 0x80B; -1 as 0xFFFF; 0xFF; 0x11.
    const std::vector<std::uint8_t> expected = {0x0B, 0x08, 0xFF, 0xFF, 0xFF, 0, 0x11, 0};
    EXPECT_EQ(compilation.resources[0].data, expected);
    EXPECT_EQ(compilation.files, std::vector<std::string>{"dir/main.rc"});
}

TEST_F(RcCompilerTest, StringsConvertToGbkAndKeepEscapedBytes) {
    RcCompilation compilation = Compile(
        "STRINGTABLE\nBEGIN\n"
        "  16, \"\xE6\xB1\x89\xE5\xAD\x97\\t\\n\\r\\\\\"\"\\101\\x41\\q\"\n"
        "  17 L\"a\" \"b\"\n"
        "END\n");
    const CompiledResource* block = Find(compilation, "#6", "#2");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(FindInStringBlock(block->data, 0).value_or(""), "\xBA\xBA\xD7\xD6\t\n\r\\\"AA\\q");
    EXPECT_EQ(FindInStringBlock(block->data, 1).value_or(""), "ab");
    EXPECT_FALSE(FindInStringBlock(block->data, 2));
}

TEST_F(RcCompilerTest, StyleListsApplyNotToTheDefaults) {
    RcCompilation compilation = Compile(
        "1 DIALOGEX 1, 2, 30, 40, 77\n"
        "CAPTION \"c\"\n"
        "BEGIN\n"
        "  EDITTEXT 5, 1, 2, 3, 4, NOT WS_BORDER | ES_MULTILINE | NOT WS_TABSTOP\n"
        "  COMBOBOX 6, 1, 2, 3, 4\n"
        "  LTEXT \"x\", 7, 1, 2, 3, 4, NOT WS_GROUP, WS_EX_STATICEDGE, 9\n"
        "  CONTROL 130, 8, STATIC, SS_BITMAP, 1, 2, 3, 4\n"
        "  PUSHBUTTON \"p\", 9, 1, 2, 3, 4 BEGIN 0x0201 END\n"
        "END\n");
    const CompiledResource* resource = Find(compilation, "#5", "#1");
    ASSERT_NE(resource, nullptr);
    std::optional<DialogTemplate> dialog = DecodeDialogTemplate(resource->data);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->helpId, 77u);
    // The default WS_POPUP | WS_BORDER | WS_SYSMENU with WS_CAPTION from CAPTION; no DS_SETFONT.
    EXPECT_EQ(dialog->style, 0x80C80000u);
    ASSERT_EQ(dialog->controls.size(), 5u);
    EXPECT_EQ(dialog->controls[0].style, 0x50000004u);
    EXPECT_EQ(dialog->controls[1].style, 0x50010001u);  // CBS_SIMPLE | WS_TABSTOP without a style
    EXPECT_EQ(dialog->controls[2].style, 0x50000000u);
    EXPECT_EQ(dialog->controls[2].exStyle, 0x20000u);
    EXPECT_EQ(dialog->controls[2].helpId, 9u);
    EXPECT_EQ(dialog->controls[3].className, "Static");
    EXPECT_EQ(dialog->controls[3].textResourceId, std::optional<WORD>(130));
    EXPECT_EQ(dialog->controls[4].extraData, std::string("\x01\x02", 2));
}

TEST_F(RcCompilerTest, NamedResourcesAndUserTypes) {
    files_["dir/page.htm"] = "<html>";
    RcCompilation compilation = Compile(
        "Logo RCDATA BEGIN \"x\" END\n"
        "\"About\" HTML \"page.htm\"\n"
        "5 MYDATA BEGIN 1L END\n"
        "VS_VERSION_INFO VERSIONINFO FILEVERSION 1,0,0,1 BEGIN BLOCK \"a\" BEGIN END END\n");
    ASSERT_EQ(compilation.resources.size(), 3u);
    EXPECT_NE(Find(compilation, "#10", "LOGO"), nullptr);
    const CompiledResource* page = Find(compilation, "#23", "ABOUT");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(std::string(page->data.begin(), page->data.end()), "<html>");
    const CompiledResource* mine = Find(compilation, "MYDATA", "#5");
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(compilation.files, (std::vector<std::string>{"dir/main.rc", "dir/page.htm"}));
}

TEST(GenerateResourceSourceTest, EmitsRegisteringSource) {
    std::string source = GenerateResourceSource({{"#6", "NAME\"\\", {1, 255}}});
    EXPECT_NE(source.find("const unsigned char kData0[] = {\n    1, 255,\n};"), std::string::npos);
    EXPECT_NE(source.find("{\"#6\", \"NAME\\\"\\\\\", kData0, 2},"), std::string::npos);
    EXPECT_NE(source.find("AddAll(\n    kResources, 1);"), std::string::npos);
    std::string empty = GenerateResourceSource({});
    EXPECT_NE(empty.find("{\"\", \"\", nullptr, 0},"), std::string::npos);
    EXPECT_NE(empty.find("kResources, 0);"), std::string::npos);
}

}  // namespace
}  // namespace platform
