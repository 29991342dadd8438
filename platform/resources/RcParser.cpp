#include "platform/resources/RcParser.h"

#include <array>
#include <cstring>

#include "platform/resources/AcceleratorTable.h"
#include "platform/resources/DialogInit.h"
#include "platform/resources/RcError.h"
#include "platform/resources/RcExpression.h"
#include "platform/resources/ResourceKey.h"
#include "platform/resources/StringBlock.h"
#include "platform/resources/ToolBarTemplate.h"
#include "platform/text/Gbk.h"

namespace platform {

namespace {

constexpr const char* kMemoryOptions[] = {"PRELOAD",  "LOADONCALL",  "FIXED",
                                          "MOVEABLE", "DISCARDABLE", "PURE",
                                          "IMPURE",   "SHARED",      "NONSHARED"};

}  // namespace

bool RcParser::EqualsNoCase(const std::string& text, const char* keyword) {
    return CompareNoCaseN(text.c_str(), keyword, std::strlen(keyword) + 1) == 0;
}

RcParser::RcParser(std::vector<RcToken> tokens, const RcSymbols& symbols,
                   RcPreprocessor::FileReader reader)
    : tokens_(std::move(tokens)), symbols_(symbols), reader_(std::move(reader)) {}

const RcToken& RcParser::Peek() const {
    if (AtEnd()) {
        Fail("unexpected end of file");
    }
    return tokens_[position_];
}

const RcToken& RcParser::Next() {
    const RcToken& token = Peek();
    ++position_;
    return token;
}

void RcParser::FailAt(const RcToken& token, const std::string& message) const {
    throw RcError(token.file ? *token.file : std::string(), token.line, message);
}

void RcParser::Fail(const std::string& message) const {
    if (tokens_.empty()) {
        throw RcError({}, 0, message);
    }
    FailAt(tokens_[std::min(position_, tokens_.size() - 1)], message);
}

bool RcParser::AtKeyword(const char* keyword) const {
    return !AtEnd() && tokens_[position_].kind == RcTokenKind::Identifier &&
           EqualsNoCase(tokens_[position_].text, keyword);
}

bool RcParser::AcceptKeyword(const char* keyword) {
    if (!AtKeyword(keyword)) {
        return false;
    }
    ++position_;
    return true;
}

bool RcParser::AcceptComma() {
    if (!AtEnd() && tokens_[position_].IsPunctuation(",")) {
        ++position_;
        return true;
    }
    return false;
}

void RcParser::ExpectComma() {
    if (!AcceptComma()) {
        Fail("',' expected");
    }
}

bool RcParser::AtBlockStart() const {
    return AtKeyword("BEGIN") || (!AtEnd() && tokens_[position_].IsPunctuation("{"));
}

bool RcParser::AtBlockEnd() const {
    Peek();
    return AtKeyword("END") || (!AtEnd() && tokens_[position_].IsPunctuation("}"));
}

void RcParser::ExpectBlockStart() {
    if (!AtBlockStart()) {
        Fail("BEGIN expected");
    }
    ++position_;
}

void RcParser::ExpectBlockEnd() {
    if (!AtBlockEnd()) {
        Fail("END expected");
    }
    ++position_;
}

long long RcParser::Expression() {
    Peek();
    return RcExpression(tokens_, position_, symbols_, RcExpression::Mode::Resource).Evaluate();
}

DWORD RcParser::Style(DWORD initial) {
    DWORD style = initial;
    for (;;) {
        RcExpression expression(tokens_, position_, symbols_, RcExpression::Mode::Resource);
        Peek();
        if (AcceptKeyword("NOT")) {
            Peek();
            style &= ~static_cast<DWORD>(expression.EvaluateOperand());
        } else {
            style |= static_cast<DWORD>(expression.EvaluateAboveOr());
        }
        if (AtEnd() || !tokens_[position_].IsPunctuation("|")) {
            return style;
        }
        ++position_;
    }
}

std::string RcParser::String() {
    if (Peek().kind != RcTokenKind::String) {
        Fail("string expected");
    }
    std::string text = Next().text;
    while (!AtEnd() && tokens_[position_].kind == RcTokenKind::String) {
        text += Next().text;
    }
    return text;
}

std::string RcParser::NameKey() {
    const RcToken& token = Peek();
    switch (token.kind) {
        case RcTokenKind::Number:
        case RcTokenKind::Identifier:
        case RcTokenKind::Punctuation:
            if (token.kind == RcTokenKind::Identifier && !symbols_.IsKnown(token.text)) {
                ++position_;
                return ResourceKey(token.text);
            } else {
                long long value = Expression();
                if (value < 0 || value > 0xFFFF) {
                    FailAt(token, "resource number " + std::to_string(value) + " out of range");
                }
                return ResourceKey(static_cast<unsigned>(value));
            }
        case RcTokenKind::String:
            if (token.text.empty()) {
                Fail("resource name expected");
            }
            ++position_;
            return ResourceKey(token.text);
        default:
            Fail("resource name expected");
    }
}

void RcParser::SkipMemoryOptions() {
    for (bool found = true; found;) {
        found = false;
        for (const char* option : kMemoryOptions) {
            if (AcceptKeyword(option)) {
                found = true;
            }
        }
    }
}

void RcParser::SkipCommonStatements() {
    for (;;) {
        if (AcceptKeyword("LANGUAGE")) {
            Expression();
            ExpectComma();
            Expression();
        } else if (AcceptKeyword("CHARACTERISTICS") || AcceptKeyword("VERSION")) {
            Expression();
        } else {
            return;
        }
    }
}

void RcParser::RawItem(std::string& out) {
    const RcToken& token = Peek();
    if (token.kind == RcTokenKind::String) {
        out += Next().text;
        return;
    }
    bool wide = token.kind == RcTokenKind::Number && token.longSuffix;
    auto value = static_cast<unsigned long long>(Expression());
    for (int i = 0; i < (wide ? 4 : 2); ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string RcParser::RawBlock() {
    ExpectBlockStart();
    std::string data;
    while (!AtBlockEnd()) {
        RawItem(data);
        AcceptComma();
    }
    ExpectBlockEnd();
    return data;
}

std::vector<std::uint8_t> RcParser::FileData() {
    const RcToken& token = Peek();
    if (token.kind != RcTokenKind::String) {
        Fail("file name expected");
    }
    ++position_;
    std::string path = ResolveScriptPath(*token.file, token.text);
    std::optional<std::string> bytes = reader_(path);
    if (!bytes) {
        FailAt(token, "cannot open file '" + path + "'");
    }
    filesRead_.push_back(path);
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

void RcParser::Add(const RcToken& at, std::string type, std::string name,
                   std::vector<std::uint8_t> data) {
    if (!keys_.insert({type, name}).second) {
        FailAt(at, "resource " + name + " of type " + type + " defined twice");
    }
    resources_.push_back({std::move(type), std::move(name), std::move(data)});
}

std::vector<CompiledResource> RcParser::Parse() {
    while (!AtEnd()) {
        if (AcceptKeyword("LANGUAGE")) {
            Expression();
            ExpectComma();
            Expression();
            continue;
        }
        if (AcceptKeyword("STRINGTABLE")) {
            StringTable();
            continue;
        }
        const RcToken& at = Peek();
        std::string name = NameKey();
        const RcToken& typeToken = Peek();
        ++position_;
        auto is = [&](const char* keyword) {
            return typeToken.kind == RcTokenKind::Identifier &&
                   EqualsNoCase(typeToken.text, keyword);
        };
        if (is("DIALOG") || is("DIALOGEX")) {
            Dialog(at, name, is("DIALOGEX"));
        } else if (is("MENU") || is("MENUEX")) {
            Menu(at, name, is("MENUEX"));
        } else if (is("ACCELERATORS")) {
            Accelerators(at, name);
        } else if (is("DLGINIT")) {
            DialogInit(at, name);
        } else if (is("TOOLBAR")) {
            ToolBar(at, name);
        } else if (is("VERSIONINFO")) {
            SkipVersionInfo();
        } else if (is("BITMAP") || is("ICON") || is("CURSOR") || is("HTML")) {
            unsigned type = is("BITMAP")   ? kTypeBitmap
                            : is("ICON")   ? kTypeGroupIcon
                            : is("CURSOR") ? kTypeGroupCursor
                                           : kTypeHtml;
            SkipMemoryOptions();
            Add(at, ResourceKey(type), name, FileData());
        } else {
            std::string type;
            if (is("RCDATA")) {
                type = ResourceKey(kTypeRcData);
            } else {
                --position_;
                type = NameKey();
                // These types have layouts of their own that raw bytes would not match.
                for (unsigned structured : {kTypeMenu, kTypeDialog, kTypeString, kTypeAccelerator,
                                            kTypeDialogInit, kTypeToolBar}) {
                    if (type == ResourceKey(structured)) {
                        FailAt(typeToken, "resource type " + std::to_string(structured) +
                                              " needs its own statement");
                    }
                }
            }
            SkipMemoryOptions();
            SkipCommonStatements();
            if (AtBlockStart()) {
                std::string data = RawBlock();
                Add(at, type, name, std::vector<std::uint8_t>(data.begin(), data.end()));
            } else {
                Add(at, type, name, FileData());
            }
        }
    }
    StringBlocks();
    return std::move(resources_);
}

void RcParser::Menu(const RcToken& at, const std::string& name, bool extended) {
    SkipMemoryOptions();
    SkipCommonStatements();
    MenuTemplate menu;
    menu.extended = extended;
    menu.items = MenuItems(extended, 1);
    std::vector<std::uint8_t> bytes;
    try {
        bytes = EncodeMenuTemplate(menu);
    } catch (const std::length_error&) {
        FailAt(at, "a menu text is longer than 65535 bytes");
    }
    Add(at, ResourceKey(kTypeMenu), name, std::move(bytes));
}

std::vector<MenuItem> RcParser::MenuItems(bool extended, int depth) {
    if (depth > kMaxMenuDepth) {
        Fail("menu nests too deeply");
    }
    std::vector<MenuItem> items;
    ExpectBlockStart();
    while (!AtBlockEnd()) {
        MenuItem item;
        bool popup = false;
        if (AcceptKeyword("POPUP")) {
            popup = true;
        } else if (!AcceptKeyword("MENUITEM")) {
            Fail("MENUITEM or POPUP expected");
        }
        if (!popup && !extended && AcceptKeyword("SEPARATOR")) {
            item.flags = MF_SEPARATOR;
            items.push_back(std::move(item));
            continue;
        }
        item.text = String();
        if (extended) {
            // Each of id, type, state (and a pop-up's help id) may be left out or left empty.
            auto field = [&](DWORD& value) {
                if (!AcceptComma()) {
                    return false;
                }
                if (!AtEnd() && !tokens_[position_].IsPunctuation(",") && !AtBlockStart() &&
                    !AtBlockEnd() && !AtKeyword("MENUITEM") && !AtKeyword("POPUP")) {
                    value = static_cast<DWORD>(Expression());
                }
                return true;
            };
            DWORD type = 0;
            DWORD state = 0;
            DWORD helpId = 0;
            if (field(item.id) && field(type) && field(state) && popup) {
                field(helpId);
            }
            item.flags = type | state;
        } else {
            if (!popup) {
                ExpectComma();
                item.id = static_cast<DWORD>(Expression() & 0xFFFF);
            }
            struct Option {
                const char* keyword;
                DWORD flag;
            };
            static constexpr Option kOptions[] = {
                {"CHECKED", MF_CHECKED},           {"GRAYED", MF_GRAYED},
                {"INACTIVE", MF_DISABLED},         {"HELP", MF_HELP},
                {"MENUBARBREAK", MF_MENUBARBREAK}, {"MENUBREAK", MF_MENUBREAK},
            };
            for (;;) {
                bool comma = AcceptComma();
                bool found = false;
                for (const Option& option : kOptions) {
                    if (AcceptKeyword(option.keyword)) {
                        item.flags |= option.flag;
                        found = true;
                        break;
                    }
                }
                if (!found) {
                    if (comma) {
                        Fail("menu item option expected");
                    }
                    break;
                }
            }
        }
        if (popup) {
            item.flags |= MF_POPUP;
            item.children = MenuItems(extended, depth + 1);
        }
        items.push_back(std::move(item));
    }
    ExpectBlockEnd();
    return items;
}

void RcParser::Accelerators(const RcToken& at, const std::string& name) {
    SkipMemoryOptions();
    SkipCommonStatements();
    ExpectBlockStart();
    std::vector<AcceleratorEntry> entries;
    while (!AtBlockEnd()) {
        const RcToken& event = Peek();
        std::optional<std::string> text;
        long long key = 0;
        if (event.kind == RcTokenKind::String) {
            text = Next().text;
        } else {
            key = Expression();
        }
        ExpectComma();
        AcceleratorEntry entry;
        entry.cmd = static_cast<WORD>(Expression());
        bool virtualKey = false;
        bool ascii = false;
        while (AcceptComma()) {
            if (AcceptKeyword("VIRTKEY")) {
                virtualKey = true;
            } else if (AcceptKeyword("ASCII")) {
                ascii = true;
            } else if (AcceptKeyword("NOINVERT")) {
                entry.fVirt |= FNOINVERT;
            } else if (AcceptKeyword("ALT")) {
                entry.fVirt |= FALT;
            } else if (AcceptKeyword("SHIFT")) {
                entry.fVirt |= FSHIFT;
            } else if (AcceptKeyword("CONTROL")) {
                entry.fVirt |= FCONTROL;
            } else {
                Fail("accelerator option expected");
            }
        }
        if (virtualKey && ascii) {
            FailAt(event, "an accelerator cannot be both VIRTKEY and ASCII");
        }
        if (text) {
            if (text->size() == 2 && (*text)[0] == '^') {
                char letter = (*text)[1];
                if (letter >= 'a' && letter <= 'z') {
                    letter = static_cast<char>(letter - 'a' + 'A');
                }
                if (letter < 'A' || letter > 'Z' || virtualKey) {
                    FailAt(event, "'^' must be followed by a letter in an ASCII accelerator");
                }
                key = letter - 'A' + 1;
            } else if (text->size() == 1) {
                key = static_cast<unsigned char>((*text)[0]);
                if (virtualKey && key >= 'a' && key <= 'z') {
                    key = key - 'a' + 'A';
                }
            } else {
                FailAt(event, "an accelerator key must be one character");
            }
        }
        if (virtualKey) {
            entry.fVirt |= FVIRTKEY;
        }
        entry.key = static_cast<WORD>(key);
        entries.push_back(entry);
    }
    ExpectBlockEnd();
    Add(at, ResourceKey(kTypeAccelerator), name, EncodeAcceleratorTable(entries));
}

void RcParser::StringTable() {
    SkipMemoryOptions();
    SkipCommonStatements();
    ExpectBlockStart();
    while (!AtBlockEnd()) {
        const RcToken& at = Peek();
        long long id = Expression();
        AcceptComma();
        std::string text = String();
        if (id < 0 || id > 0xFFFF) {
            FailAt(at, "string id " + std::to_string(id) + " out of range");
        }
        if (text.size() > 0xFFFF) {
            FailAt(at, "string longer than 65535 bytes");
        }
        if (!strings_.emplace(static_cast<unsigned>(id), std::move(text)).second) {
            FailAt(at, "string " + std::to_string(id) + " defined twice");
        }
    }
    ExpectBlockEnd();
}

void RcParser::StringBlocks() {
    auto it = strings_.begin();
    while (it != strings_.end()) {
        unsigned block = StringBlockId(it->first);
        std::array<std::string, kStringsPerBlock> slots;
        for (; it != strings_.end() && StringBlockId(it->first) == block; ++it) {
            slots[it->first % kStringsPerBlock] = it->second;
        }
        resources_.push_back(
            {ResourceKey(kTypeString), ResourceKey(block), EncodeStringBlock(slots)});
    }
}

void RcParser::DialogInit(const RcToken& at, const std::string& name) {
    SkipMemoryOptions();
    ExpectBlockStart();
    std::vector<DialogInitEntry> entries;
    while (!AtBlockEnd()) {
        DialogInitEntry entry;
        entry.controlId = static_cast<WORD>(Expression());
        if (entry.controlId == 0) {
            AcceptComma();
            continue;
        }
        ExpectComma();
        entry.message = static_cast<WORD>(Expression());
        ExpectComma();
        if (Peek().kind == RcTokenKind::String) {
            // Our own short form: the item's text, stored with its terminating NUL.
            entry.data = String();
            entry.data += '\0';
        } else {
            const RcToken& countToken = Peek();
            auto low = static_cast<unsigned long long>(Expression()) & 0xFFFF;
            ExpectComma();
            auto high = static_cast<unsigned long long>(Expression()) & 0xFFFF;
            unsigned long long count = low | (high << 16);
            while (entry.data.size() < count) {
                AcceptComma();
                RawItem(entry.data);
            }
            if (entry.data.size() != count) {
                FailAt(countToken, "initial data longer than its count");
            }
        }
        entries.push_back(std::move(entry));
        AcceptComma();
    }
    ExpectBlockEnd();
    Add(at, ResourceKey(kTypeDialogInit), name, EncodeDialogInit(entries));
}

void RcParser::ToolBar(const RcToken& at, const std::string& name) {
    SkipMemoryOptions();
    ToolBarTemplate toolBar;
    toolBar.width = static_cast<WORD>(Expression());
    ExpectComma();
    toolBar.height = static_cast<WORD>(Expression());
    ExpectBlockStart();
    while (!AtBlockEnd()) {
        if (AcceptKeyword("BUTTON")) {
            toolBar.commandIds.push_back(static_cast<WORD>(Expression()));
        } else if (AcceptKeyword("SEPARATOR")) {
            toolBar.commandIds.push_back(0);
        } else {
            Fail("BUTTON or SEPARATOR expected");
        }
    }
    ExpectBlockEnd();
    std::vector<std::uint8_t> bytes;
    try {
        bytes = EncodeToolBarTemplate(toolBar);
    } catch (const std::length_error&) {
        FailAt(at, "too many tool-bar buttons");
    }
    Add(at, ResourceKey(kTypeToolBar), name, std::move(bytes));
}

void RcParser::SkipVersionInfo() {
    while (!AtBlockStart()) {
        Next();
    }
    int depth = 0;
    do {
        if (AtBlockStart()) {
            ++depth;
        } else if (AtBlockEnd()) {
            --depth;
        }
        Next();
    } while (depth > 0);
}

}  // namespace platform
