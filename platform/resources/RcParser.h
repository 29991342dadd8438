// Turns the preprocessed tokens of a resource script into compiled resources: DIALOG and
// DIALOGEX, MENU and MENUEX, STRINGTABLE (grouped into blocks of 16), ACCELERATORS, DLGINIT,
// TOOLBAR, BITMAP / ICON / CURSOR / HTML and other file references (the file's bytes), RCDATA and
// user-defined raw data. VERSIONINFO is read past and produces nothing. An ICON is stored whole
// under the group-icon type and a CURSOR under the group-cursor type: the drawing layer reads the
// icon file format itself.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/resources/CompiledResource.h"
#include "platform/resources/DialogTemplate.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/RcPreprocessor.h"
#include "platform/resources/RcSymbols.h"
#include "platform/resources/RcToken.h"

namespace platform {

class RcParser {
public:
    RcParser(std::vector<RcToken> tokens, const RcSymbols& symbols,
             RcPreprocessor::FileReader reader);

    // Throws RcError with the file and line of the fault.
    std::vector<CompiledResource> Parse();

    // The data files the script named, in the order read.
    const std::vector<std::string>& filesRead() const { return filesRead_; }

private:
    // Resource type numbers of the original platform.
    static constexpr unsigned kTypeBitmap = 2;
    static constexpr unsigned kTypeMenu = 4;
    static constexpr unsigned kTypeDialog = 5;
    static constexpr unsigned kTypeString = 6;
    static constexpr unsigned kTypeAccelerator = 9;
    static constexpr unsigned kTypeRcData = 10;
    static constexpr unsigned kTypeGroupCursor = 12;
    static constexpr unsigned kTypeGroupIcon = 14;
    static constexpr unsigned kTypeHtml = 23;
    static constexpr unsigned kTypeDialogInit = 240;
    static constexpr unsigned kTypeToolBar = 241;

    static bool EqualsNoCase(const std::string& text, const char* keyword);
    bool AtEnd() const { return position_ >= tokens_.size(); }
    const RcToken& Peek() const;
    const RcToken& Next();
    bool AtKeyword(const char* keyword) const;
    bool AcceptKeyword(const char* keyword);
    bool AcceptComma();
    void ExpectComma();
    bool AtBlockStart() const;
    bool AtBlockEnd() const;
    void ExpectBlockStart();
    void ExpectBlockEnd();
    [[noreturn]] void Fail(const std::string& message) const;
    [[noreturn]] void FailAt(const RcToken& token, const std::string& message) const;

    long long Expression();
    int Int() { return static_cast<int>(Expression()); }
    // A '|' list of terms starting from `initial`; `NOT term` clears the term's bits from what
    // came before, so that it can take away a statement's default styles.
    DWORD Style(DWORD initial);
    std::string String();
    std::string NameKey();
    void SkipMemoryOptions();
    void SkipCommonStatements();
    void RawItem(std::string& out);
    std::string RawBlock();
    std::vector<std::uint8_t> FileData();

    void Add(const RcToken& at, std::string type, std::string name, std::vector<std::uint8_t> data);
    void Dialog(const RcToken& at, const std::string& name, bool extended);
    void Control(DialogTemplate& dialog);
    void Menu(const RcToken& at, const std::string& name, bool extended);
    std::vector<MenuItem> MenuItems(bool extended, int depth);
    void Accelerators(const RcToken& at, const std::string& name);
    void StringTable();
    void DialogInit(const RcToken& at, const std::string& name);
    void ToolBar(const RcToken& at, const std::string& name);
    void SkipVersionInfo();
    void StringBlocks();

    std::vector<RcToken> tokens_;
    size_t position_ = 0;
    const RcSymbols& symbols_;
    RcPreprocessor::FileReader reader_;
    std::vector<CompiledResource> resources_;
    std::set<std::pair<std::string, std::string>> keys_;
    std::map<unsigned, std::string> strings_;
    std::vector<std::string> filesRead_;
};

}  // namespace platform
