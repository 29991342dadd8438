// Runs arbitrary script text against a fixed page with a budget of commands: whatever the text,
// the run must end within the budget without a crash or a sanitizer report.
//
// A fuzzed script must not reach outside the process: the statements that write or read files,
// fetch addresses or wait are renamed in the input so that the run loop skips them (statement
// names come only from the script text, never from variables), and the connection object behind
// "%database" opens a private database in memory whatever the connection string says and
// refuses SQL that would attach or write another file. Argument reading, the page cutters, the
// text reformatting and the database statements run as they always do.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "picture/ScriptEngine.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComRuntime.h"
#include "platform/database/AdoConnection.h"

namespace {

class InMemoryConnection : public platform::AdoConnection {
public:
    HRESULT raw_Open(BSTR, BSTR userId, BSTR password, long options) override {
        BSTR memory = SysAllocString(u"Data Source=:memory:");
        const HRESULT result = AdoConnection::raw_Open(memory, userId, password, options);
        SysFreeString(memory);
        return result;
    }
    HRESULT raw_Execute(BSTR commandText, VARIANT* recordsAffected, long options,
                        _Recordset** recordset) override {
        std::string sql = platform::GbkFromBstr(commandText);
        for (char& c : sql) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        if (sql.find("attach") != std::string::npos || sql.find("vacuum") != std::string::npos) {
            if (recordset != nullptr) {
                *recordset = nullptr;
            }
            return E_FAIL;
        }
        return AdoConnection::raw_Execute(commandText, recordsAffected, options, recordset);
    }
};

// Renames every spelling of the statements that reach files, the network or the clock.
void RenameOutsideStatements(std::string& script) {
    static constexpr std::string_view kNames[] = {"savefile", "getfile", "getremotefile", "sleep"};
    std::string folded = script;
    for (char& c : folded) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (const std::string_view name : kNames) {
        for (size_t at = folded.find(name); at != std::string::npos;
             at = folded.find(name, at + 1)) {
            script[at] = '_';
        }
    }
}

const char kPage[] =
    "<html><head><title>list</title></head><body>\r\n"
    "<a href=\"/x.htm\">Root</a> <A HREF='y.htm'> two </A> <a href=other://z>Other</a>\r\n"
    "<a name=top>no address</a><abbr title=a>abbr</abbr><a href=\"#\"></a>\r\n"
    "<img src=\"/p/1.jpg\"><IMG SRC=2.gif alt=x><img alt=none><a href=x>t<img src=/a ></a>\r\n"
    "<script>var s = '</a>';</script><p>1 > 0 < 2</p></body></html>\r\n";

// How many commands a fuzzed script may take, and how long its texts may grow, so that every
// input ends in a fraction of a second.
constexpr long kCommandBudget = 1000;
constexpr size_t kValueBudget = 64 << 10;
constexpr size_t kTotalBudget = 256 << 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = [] {
        CoInitialize(nullptr);
        platform::RegisterComClass(CLSID_Connection, [](REFIID iid, void** object) {
            return platform::CreateComObject<InMemoryConnection>(iid, object);
        });
        return true;
    }();
    (void)registered;

    std::string script(reinterpret_cast<const char*>(data), size);
    RenameOutsideStatements(script);
    CScriptEngine engine;
    engine.SetCommandLimit(kCommandBudget);
    engine.SetLengthLimits(kValueBudget, kTotalBudget);
    engine.Init(CString(std::string_view(script)));
    engine.SetVariable("@page", kPage);
    engine.SetVariable("@img_url", "http://h/dir/list.htm");
    engine.Run();
    return 0;
}
