// The picture collector's script language. A script is one GBK text of commands ("%Set",
// "%html", ...) with arguments: literals in square brackets ("]]" stands for "]") and variables
// whose names begin with "@". The engine keeps 100 variable and 50 label slots, finds the labels
// ("%lable [name]") once at Init and then runs the statements one after another from a cursor;
// "%Test" and "%goto" jump to a label. No statement failure stops a run; it ends at "%exit", at
// the end of the text, or when the thread that runs it is asked to stop.
//
// Stored scripts rely on the scanner's exact behaviour, so it is kept as it always was: scanning
// goes byte by byte (the second byte of a GBK character can end a literal or a name); "//" hides
// every later command on its line, even one inside a literal, while arguments are read straight
// across it; a "%" in a literal starts a command when the scanner meets it; a statement that
// lacks its variable takes the next "@" name of the text, past later commands; a backward jump
// without a test loops until the run is stopped.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "picture/AdoDatabase.h"
#include "picture/ScriptText.h"
#include "platform/base/Random.h"
#include "platform/text/CString.h"

class CPageDlg;
class CScriptRelay;

struct ScriptVariable {
    // With its leading "@"; empty while the slot is free.
    std::string name;
    ScriptText value;
};

struct ScriptLabel {
    // Empty while the slot is free.
    std::string name;
    // The byte index of the closing "]" of the label's name; -1 while undefined.
    int position = -1;
};

class CScriptEngine {
public:
    static constexpr int kVariableCount = 100;
    static constexpr int kLabelCount = 50;
    // No variable grows beyond kMaxValueLength bytes and all of them together hold at most
    // kMaxTotalLength: a statement whose result would break either fails and leaves its variable
    // as it was, so a script that doubles a text in a loop cannot exhaust memory.
    static constexpr size_t kMaxValueLength = 16u << 20;
    static constexpr size_t kMaxTotalLength = 64u << 20;
    // "%sleep" waits at most this long.
    static constexpr int kLongestSleepSeconds = 24 * 60 * 60;

    CScriptEngine();
    virtual ~CScriptEngine();
    CScriptEngine(const CScriptEngine&) = delete;
    CScriptEngine& operator=(const CScriptEngine&) = delete;

    // The page whose browser "%html [navigate]" drives and the relay that reaches the frame for
    // it and for "open" and "open2". Set before Init; without them those sub-commands fail.
    void SetPage(CScriptRelay* pRelay, CPageDlg* pPage);
    // Run ends after this many commands; 0, the default, sets no limit.
    void SetCommandLimit(long count) { m_commandLimit = count; }
    // Lower limits on length than kMaxValueLength and kMaxTotalLength, for runs of untrusted
    // text that must end quickly.
    void SetLengthLimits(size_t valueLength, size_t totalLength) {
        m_maxValueLength = std::min(valueLength, kMaxValueLength);
        m_maxTotalLength = std::min(totalLength, kMaxTotalLength);
    }

    // Resets every slot, the cursor and the show-debug flag, takes the text (every byte, NULs
    // included) and defines its labels. Always 0.
    int Init(const CString& script);
    // 0; 1 when the variable table is full or the value breaks the limits on length.
    int SetVariable(const CString& name, const CString& value);
    // 0 after "%exit"; 1 at the end of the text, at the command limit or on a stop request.
    int Run();

    // The scanner. Each starts at the cursor and leaves it after what it read.
    // 0 with the next command token ("%" up to a TAB, CR, LF, space, "@" or "["); 1, the cursor
    // unchanged, when no command that is not commented out follows.
    int NextCommand(std::string_view& token);
    // 0 with a literal or a variable's value; 1 when the next command or the end comes first.
    int NextArgument(std::string& value);
    // 0 with the leading decimal integer of the argument (0 when none); 1 and 0 when missing.
    int NextIntArgument(int& value);
    // The variable named by the next "@" anywhere after the cursor; null when there is none,
    // it is a bare "@", or the table is full.
    ScriptVariable* NextVariable();
    // The slot of the name (compared ignoring case), taken on first use; null when full.
    ScriptVariable* FindVariable(std::string_view name);
    ScriptLabel* FindLabel(std::string_view name);
    // Defines the label named by the next argument at the cursor. 0; 1 when no name can be read
    // or the table is full.
    int DefineLabel();
    int CollectLabels();
    // 1 when "//" stands before the byte at index on its line.
    int IsInComment(int index) const;
    int GetCursor() const { return m_cursor; }

    // Receives the engine's debug texts; the engine itself shows them nowhere.
    virtual void Trace(const char* text);

    // The statements: each reads its operands from the cursor and returns 0 when done, 1 when
    // an operand is missing or it failed.
    int ExecSet();
    int ExecPrint();
    int ExecLink();
    int ExecInt();
    int ExecTest();
    int ExecHtml();
    int ExecDatabase();
    int ExecFormatString();
    int ExecGetFile();
    int ExecLeftString();
    int ExecRightString();
    int ExecGetRemoteFile();
    int ExecSetShowDebug();
    int ExecReplace();
    int ExecSleep();
    int ExecGoto();
    int ExecSaveFile();

    // V = table rows of the records of sql; 0 when the query ran, 1 when it failed (V unchanged).
    int CreateHtmlTable(ScriptVariable* pVariable, int columns, int fields,
                        const std::string& match, const std::string& class1,
                        const std::string& class2, const std::string& cellFormat,
                        const std::string& sql);
    // Every CR LF line of text that contains search becomes line.
    static std::string ReplaceLines(std::string_view text, std::string_view search,
                                    std::string_view line);
    // Every line trimmed, the empty ones dropped, each ending in CR LF.
    static std::string DeleteBlankLines(std::string_view text);
    // Every picture tag becomes format filled with its source made absolute against base.
    static std::string FormatImageTags(std::string_view text, std::string_view base,
                                       std::string_view format);
    static std::string ResolveImageSource(std::string_view tag, std::string_view base);

private:
    enum class Statement;
    // The statement that a command token names; unknown tokens run nothing.
    static Statement Classify(std::string_view token);
    int Execute(Statement statement);
    // Traces a statement's label while the show-debug flag is set.
    void TraceStatement(const char* label);
    // Reads as many arguments as given; false as soon as one is missing.
    template <typename... Texts>
    bool NextArguments(Texts&... values) {
        return (... && (NextArgument(values) == 0));
    }
    // Gives the variable its new value; false, the variable unchanged, when the value would break
    // the limits on length.
    bool Store(ScriptVariable* pVariable, std::string&& value);

    int ExecGetLink(bool pictures);
    int ExecNavigate();
    int ExecOpen();
    int ExecOpenPane();
    int ExecRecord();
    int ExecCreateHtmlTable();
    int ExecDeleteMiddle();
    int ExecMap(ScriptVariable* pVariable);
    int ExecCutString(bool left);

    int m_showDebug = 0;
    std::string m_script;
    int m_cursor = 0;
    std::array<ScriptVariable, kVariableCount> m_variables;
    std::array<ScriptLabel, kLabelCount> m_labels;
    CAdoDatabase m_database;
    CScriptRelay* m_pRelay = nullptr;
    CPageDlg* m_pPage = nullptr;
    // Whether each byte of the script stands after a "//" on its line, worked out once at Init.
    std::string m_commented;
    platform::Random m_random;
    long m_commandLimit = 0;
    size_t m_maxValueLength = kMaxValueLength;
    size_t m_maxTotalLength = kMaxTotalLength;
};
