#include "picture/ScriptEngine.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "platform/text/Gbk.h"
#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"

enum class CScriptEngine::Statement {
    kNone,
    kSet,
    kPrint,
    kLink,
    kInt,
    kTest,
    kHtml,
    kDatabase,
    kFormatString,
    kGetFile,
    kLeftString,
    kRightString,
    kGetRemoteFile,
    kSetShowDebug,
    kReplace,
    kSleep,
    kGoto,
    kSaveFile,
    kExit,
};

namespace {

// Sets of bytes as tables, since the scanner asks for every byte of a script it passes.
struct ByteSet {
    bool contains[256] = {};
    constexpr explicit ByteSet(std::string_view bytes) {
        for (const char c : bytes) {
            contains[static_cast<unsigned char>(c)] = true;
        }
    }
    // The first byte of text at or after from that is in the set; text.size() when none is.
    size_t FindIn(std::string_view text, size_t from) const {
        while (from < text.size() && !contains[static_cast<unsigned char>(text[from])]) {
            ++from;
        }
        return from;
    }
};

// The bytes that end a command token and a variable name, and those that start an argument.
constexpr ByteSet kTokenEnds("\t\r\n @[");
constexpr ByteSet kNameEnds("\t\r\n %[");
constexpr ByteSet kArgumentStarts("%[@");

// A long %sleep waits in steps, so that a stop request ends it.
constexpr DWORD kSleepStepMilliseconds = 250;

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && platform::CompareNoCase(a, b) == 0;
}

// 32-bit arithmetic that wraps; a quotient or remainder by 0 gives 0, and the one quotient that
// does not fit (INT_MIN / -1) gives INT_MIN.
int Compute(int left, char op, int right) {
    const auto a = static_cast<std::uint32_t>(left);
    const auto b = static_cast<std::uint32_t>(right);
    switch (op) {
        case '+':
            return static_cast<int>(a + b);
        case '-':
            return static_cast<int>(a - b);
        case '*':
            return static_cast<int>(a * b);
        case '/':
            if (right == 0) {
                return 0;
            }
            return right == -1 ? static_cast<int>(0u - a) : left / right;
        case '%':
            return right == 0 || right == -1 ? 0 : left % right;
        default:
            return 0;
    }
}

}  // namespace

CScriptEngine::CScriptEngine() = default;

CScriptEngine::~CScriptEngine() = default;

void CScriptEngine::SetPage(CScriptRelay* pRelay, CPageDlg* pPage) {
    m_pRelay = pRelay;
    m_pPage = pPage;
}

int CScriptEngine::Init(const CString& script) {
    Trace("init");
    m_random.Seed(static_cast<std::uint32_t>(platform::CurrentUnixTime()));
    m_showDebug = 1;
    m_script.clear();
    m_cursor = 0;
    for (ScriptVariable& variable : m_variables) {
        variable.name.clear();
        variable.value.clear();
    }
    for (ScriptLabel& label : m_labels) {
        label.name.clear();
        label.position = -1;
    }
    m_script = script.str();
    // Whether a "//" stands before each byte on its line, found in one pass rather than by a
    // scan back from every "%".
    m_commented.assign(m_script.size(), '\0');
    bool commented = false;
    for (size_t i = 0; i < m_script.size(); ++i) {
        m_commented[i] = commented ? '\1' : '\0';
        if (IsLineBreak(m_script[i])) {
            commented = false;
        } else if (m_script[i] == '/' && i > 0 && m_script[i - 1] == '/') {
            commented = true;
        }
    }
    CollectLabels();
    m_cursor = 0;
    Trace("init ok");
    return 0;
}

int CScriptEngine::SetVariable(const CString& name, const CString& value) {
    ScriptVariable* variable = FindVariable(name.view());
    if (variable == nullptr || !Store(variable, std::string(value.view()))) {
        return 1;
    }
    return 0;
}

CScriptEngine::Statement CScriptEngine::Classify(std::string_view token) {
    static constexpr struct {
        std::string_view name;
        Statement statement;
    } kStatements[] = {
        {"%set", Statement::kSet},
        {"%print", Statement::kPrint},
        {"%link", Statement::kLink},
        {"%int", Statement::kInt},
        {"%test", Statement::kTest},
        {"%html", Statement::kHtml},
        {"%database", Statement::kDatabase},
        {"%formatstring", Statement::kFormatString},
        {"%getfile", Statement::kGetFile},
        {"%leftstring", Statement::kLeftString},
        {"%rightstring", Statement::kRightString},
        {"%getremotefile", Statement::kGetRemoteFile},
        {"%setshowdebug", Statement::kSetShowDebug},
        {"%replace", Statement::kReplace},
        {"%sleep", Statement::kSleep},
        {"%goto", Statement::kGoto},
        {"%savefile", Statement::kSaveFile},
        {"%exit", Statement::kExit},
    };
    // Every name is ASCII, so a token that matches one ignoring case matches it once its ASCII
    // letters are folded.
    char folded[16];
    if (token.size() > sizeof folded) {
        return Statement::kNone;
    }
    for (size_t i = 0; i < token.size(); ++i) {
        const char c = token[i];
        folded[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view lower(folded, token.size());
    for (const auto& entry : kStatements) {
        if (lower == entry.name) {
            return entry.statement;
        }
    }
    return Statement::kNone;
}

int CScriptEngine::Run() {
    Trace("run");
    long commands = 0;
    for (;;) {
        // A worker thread's script ends when the program asks its thread to stop.
        if (platform::StopRequested()) {
            return 1;
        }
        std::string_view token;
        if (NextCommand(token) != 0) {
            Trace("get code error.");
            return 1;
        }
        if (m_commandLimit > 0 && ++commands > m_commandLimit) {
            return 1;
        }
        const Statement statement = Classify(token);
        if (statement == Statement::kExit) {
            return 0;
        }
        // A statement that runs out of memory fails like any other; the run goes on.
        try {
            Execute(statement);
        } catch (const std::bad_alloc&) {
        }
    }
}

int CScriptEngine::Execute(Statement statement) {
    switch (statement) {
        case Statement::kSet:
            return ExecSet();
        case Statement::kPrint:
            return ExecPrint();
        case Statement::kLink:
            return ExecLink();
        case Statement::kInt:
            return ExecInt();
        case Statement::kTest:
            return ExecTest();
        case Statement::kHtml:
            return ExecHtml();
        case Statement::kDatabase:
            return ExecDatabase();
        case Statement::kFormatString:
            return ExecFormatString();
        case Statement::kGetFile:
            return ExecGetFile();
        case Statement::kLeftString:
            return ExecLeftString();
        case Statement::kRightString:
            return ExecRightString();
        case Statement::kGetRemoteFile:
            return ExecGetRemoteFile();
        case Statement::kSetShowDebug:
            return ExecSetShowDebug();
        case Statement::kReplace:
            return ExecReplace();
        case Statement::kSleep:
            return ExecSleep();
        case Statement::kGoto:
            return ExecGoto();
        case Statement::kSaveFile:
            return ExecSaveFile();
        case Statement::kNone:
        case Statement::kExit:
            break;
    }
    return 0;
}

int CScriptEngine::NextCommand(std::string_view& token) {
    size_t at = static_cast<size_t>(m_cursor);
    size_t start;
    for (;;) {
        start = m_script.find('%', at);
        if (start == std::string::npos) {
            return 1;
        }
        if (!IsInComment(static_cast<int>(start))) {
            break;
        }
        at = start + 1;
    }
    const size_t end = kTokenEnds.FindIn(m_script, start + 1);
    token = std::string_view(m_script).substr(start, end - start);
    m_cursor = static_cast<int>(end);
    return 0;
}

int CScriptEngine::NextArgument(std::string& value) {
    const std::string_view script = m_script;
    const size_t at = kArgumentStarts.FindIn(script, static_cast<size_t>(m_cursor));
    if (at == script.size()) {
        m_cursor = static_cast<int>(script.size());
        return 1;
    }
    if (script[at] == '%') {
        value.clear();
        m_cursor = static_cast<int>(at);
        return 1;
    }
    if (script[at] == '[') {
        value.clear();
        size_t from = at + 1;
        for (;;) {
            const size_t close = script.find(']', from);
            if (close == std::string_view::npos) {
                value.append(script.substr(from));
                m_cursor = static_cast<int>(script.size());
                return 0;
            }
            value.append(script.substr(from, close - from));
            if (close + 1 < script.size() && script[close + 1] == ']') {
                value += ']';
                from = close + 2;
                continue;
            }
            m_cursor = static_cast<int>(close);
            return 0;
        }
    }
    const size_t end = kNameEnds.FindIn(script, at + 1);
    const ScriptVariable* variable = FindVariable(script.substr(at, end - at));
    value.assign(variable != nullptr ? variable->value.view() : std::string_view());
    m_cursor = static_cast<int>(end);
    return 0;
}

int CScriptEngine::NextIntArgument(int& value) {
    std::string text;
    if (NextArgument(text) != 0) {
        value = 0;
        return 1;
    }
    value = platform::ParseInt(text);
    return 0;
}

ScriptVariable* CScriptEngine::NextVariable() {
    const std::string_view script = m_script;
    const size_t at = script.find('@', static_cast<size_t>(m_cursor));
    if (at == std::string_view::npos) {
        return nullptr;
    }
    const size_t end = kNameEnds.FindIn(script, at + 1);
    m_cursor = static_cast<int>(end);
    if (end - at == 1) {
        return nullptr;
    }
    return FindVariable(script.substr(at, end - at));
}

ScriptVariable* CScriptEngine::FindVariable(std::string_view name) {
    for (ScriptVariable& variable : m_variables) {
        if (variable.name.empty()) {
            variable.name.assign(name);
            variable.value.clear();
            return &variable;
        }
        if (EqualsNoCase(variable.name, name)) {
            return &variable;
        }
    }
    Trace("array overflow");
    return nullptr;
}

ScriptLabel* CScriptEngine::FindLabel(std::string_view name) {
    for (ScriptLabel& label : m_labels) {
        if (label.name.empty()) {
            label.name.assign(name);
            label.position = -1;
            return &label;
        }
        if (EqualsNoCase(label.name, name)) {
            return &label;
        }
    }
    Trace("lable array overflow");
    return nullptr;
}

int CScriptEngine::DefineLabel() {
    std::string name;
    if (NextArgument(name) != 0) {
        return 1;
    }
    ScriptLabel* label = FindLabel(name);
    if (label == nullptr) {
        return 1;
    }
    label->position = m_cursor;
    return 0;
}

int CScriptEngine::CollectLabels() {
    std::string_view token;
    while (NextCommand(token) == 0) {
        if (EqualsNoCase(token, "%lable")) {
            DefineLabel();
        }
    }
    return 0;
}

int CScriptEngine::IsInComment(int index) const {
    if (index < 0) {
        return 0;
    }
    if (static_cast<size_t>(index) < m_commented.size()) {
        return m_commented[static_cast<size_t>(index)] != '\0' ? 1 : 0;
    }
    for (size_t i = std::min(static_cast<size_t>(index), m_script.size()); i-- > 0;) {
        if (IsLineBreak(m_script[i])) {
            return 0;
        }
        if (m_script[i] == '/' && i > 0 && m_script[i - 1] == '/') {
            return 1;
        }
    }
    return 0;
}

void CScriptEngine::Trace(const char* /*text*/) {}

void CScriptEngine::TraceStatement(const char* label) {
    if (m_showDebug != 0) {
        Trace(label);
    }
}

bool CScriptEngine::Store(ScriptVariable* pVariable, std::string&& value) {
    // Names are never removed, so the used slots come first.
    size_t total = 0;
    for (const ScriptVariable& variable : m_variables) {
        if (variable.name.empty()) {
            break;
        }
        total += variable.value.size();
    }
    const size_t others = total - pVariable->value.size();
    if (value.size() > m_maxValueLength ||
        value.size() > m_maxTotalLength - std::min(others, m_maxTotalLength)) {
        return false;
    }
    pVariable->value.assign(std::move(value));
    return true;
}

int CScriptEngine::ExecSet() {
    TraceStatement("SET");
    ScriptVariable* variable = NextVariable();
    std::string value;
    if (variable == nullptr || NextArgument(value) != 0) {
        return 1;
    }
    return Store(variable, std::move(value)) ? 0 : 1;
}

int CScriptEngine::ExecPrint() {
    TraceStatement("PRINT");
    // A variable's text goes to the trace as it is stored, without a copy.
    const size_t at = kArgumentStarts.FindIn(m_script, static_cast<size_t>(m_cursor));
    if (at < m_script.size() && m_script[at] == '@') {
        const size_t end = kNameEnds.FindIn(m_script, at + 1);
        m_cursor = static_cast<int>(end);
        const ScriptVariable* variable =
            FindVariable(std::string_view(m_script).substr(at, end - at));
        Trace(variable != nullptr ? variable->value.c_str() : "");
        return 0;
    }
    std::string text;
    if (NextArgument(text) != 0) {
        return 1;
    }
    Trace(text.c_str());
    return 0;
}

int CScriptEngine::ExecLink() {
    TraceStatement("LINK");
    ScriptVariable* variable = NextVariable();
    if (variable == nullptr) {
        return 1;
    }
    // Every argument is read even when the text grows too long, so that none of them is left
    // for the scanner to take for commands.
    std::string joined;
    std::string piece;
    bool tooLong = false;
    while (NextArgument(piece) == 0) {
        if (joined.size() + piece.size() > m_maxValueLength) {
            tooLong = true;
        } else if (!tooLong) {
            joined += piece;
        }
    }
    if (tooLong) {
        return 1;
    }
    return Store(variable, std::move(joined)) ? 0 : 1;
}

int CScriptEngine::ExecInt() {
    TraceStatement("ADD");
    ScriptVariable* variable = NextVariable();
    int left = 0;
    int right = 0;
    std::string op;
    if (variable == nullptr || NextIntArgument(left) != 0 || NextArgument(op) != 0 ||
        NextIntArgument(right) != 0) {
        return 1;
    }
    return Store(variable, std::to_string(Compute(left, op.empty() ? '\0' : op[0], right))) ? 0 : 1;
}

int CScriptEngine::ExecTest() {
    std::string kind;
    if (NextArgument(kind) != 0) {
        return 1;
    }
    ScriptVariable* variable = NextVariable();
    std::string op;
    int number = 0;
    std::string labelName;
    if (variable == nullptr || NextArgument(op) != 0 || NextIntArgument(number) != 0 ||
        NextArgument(labelName) != 0) {
        return 1;
    }
    const ScriptLabel* label = FindLabel(labelName);
    if (label == nullptr || label->position == -1) {
        return 1;
    }
    long long tested;
    if (EqualsNoCase(kind, "length")) {
        tested = static_cast<long long>(variable->value.size());
    } else if (EqualsNoCase(kind, "int")) {
        tested = platform::ParseInt(variable->value.view());
    } else {
        return 0;
    }
    const std::string_view sign = op;
    bool holds;
    if (sign.starts_with(">=")) {
        holds = tested >= number;
    } else if (sign.starts_with("<=")) {
        holds = tested <= number;
    } else if (sign.starts_with("<>")) {
        holds = tested != number;
    } else if (sign.starts_with('>')) {
        holds = tested > number;
    } else if (sign.starts_with('<')) {
        holds = tested < number;
    } else if (sign.starts_with('=')) {
        holds = tested == number;
    } else {
        return 0;
    }
    if (holds) {
        m_cursor = label->position;
    }
    return 0;
}

int CScriptEngine::ExecCutString(bool left) {
    TraceStatement("LEFT_STRING");
    ScriptVariable* variable = NextVariable();
    std::string source;
    std::string separator;
    int flags = 0;
    if (variable == nullptr || !NextArguments(source, separator) || NextIntArgument(flags) != 0) {
        return 1;
    }
    const size_t at = platform::FindText(source, separator);
    std::string part;
    if (at != std::string::npos) {
        const bool withSeparator = (flags & 1) != 0;
        if (left) {
            part = source.substr(0, at + (withSeparator ? separator.size() : 0));
        } else {
            part = source.substr(withSeparator ? at : at + separator.size());
        }
    } else if ((flags & 2) == 0) {
        part = std::move(source);
    }
    return Store(variable, std::move(part)) ? 0 : 1;
}

int CScriptEngine::ExecLeftString() {
    return ExecCutString(true);
}

int CScriptEngine::ExecRightString() {
    return ExecCutString(false);
}

int CScriptEngine::ExecSetShowDebug() {
    int flag = 0;
    NextIntArgument(flag);
    m_showDebug = flag;
    if (flag != 0) {
        Trace("SET_SHOW_DEBUG");
    }
    return 0;
}

int CScriptEngine::ExecReplace() {
    TraceStatement("REPLACE");
    ScriptVariable* variable = NextVariable();
    std::string oldText;
    std::string newText;
    if (variable == nullptr || !NextArguments(oldText, newText)) {
        return 1;
    }
    if (oldText.empty()) {
        return 0;
    }
    const std::string_view text = variable->value.view();
    std::string replaced;
    size_t from = 0;
    for (;;) {
        const size_t at = platform::FindText(text, oldText, from);
        if (at == std::string_view::npos) {
            break;
        }
        replaced.append(text.substr(from, at - from));
        replaced += newText;
        from = at + oldText.size();
        // The rest of the text is still to come, and shrinks only when the new text is shorter.
        const size_t least =
            replaced.size() + (newText.size() >= oldText.size() ? text.size() - from : 0);
        if (least > m_maxValueLength) {
            return 1;
        }
    }
    if (from == 0) {
        return 0;
    }
    replaced.append(text.substr(from));
    return Store(variable, std::move(replaced)) ? 0 : 1;
}

int CScriptEngine::ExecSleep() {
    TraceStatement("SLEEP");
    int seconds = 0;
    if (NextIntArgument(seconds) != 0) {
        return 1;
    }
    long long remaining = static_cast<long long>(std::min(seconds, kLongestSleepSeconds)) * 1000;
    while (remaining > 0 && !platform::StopRequested()) {
        const DWORD step =
            static_cast<DWORD>(std::min<long long>(remaining, kSleepStepMilliseconds));
        Sleep(step);
        remaining -= step;
    }
    return 0;
}

int CScriptEngine::ExecGoto() {
    std::string name;
    if (NextArgument(name) != 0) {
        return 1;
    }
    const ScriptLabel* label = FindLabel(name);
    if (label == nullptr || label->position == -1) {
        return 1;
    }
    m_cursor = label->position;
    return 0;
}
