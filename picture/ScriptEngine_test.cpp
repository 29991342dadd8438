#include "picture/ScriptEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "picture/ScriptTestEngine.h"
#include "platform/files/Path.h"
#include "platform/testing/TempFolder.h"
#include "platform/text/Gbk.h"
#include "platform/threads/SyncApi.h"
#include "platform/threads/ThreadApi.h"
#include "platform/time/Clock.h"
#include "platform/time/SystemTimeTest.h"

namespace picture::testing {
namespace {

using namespace std::string_literals;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

TEST(ScriptEngineTest, RunEndsAtExitOrAtTheEndOfTheText) {
    CScriptTestEngine empty;
    EXPECT_EQ(1, empty.RunScript(""));
    EXPECT_THAT(empty.traces, ElementsAre("init", "init ok", "run", "get code error."));

    CScriptTestEngine noExit;
    EXPECT_EQ(1, noExit.RunScript("%Set @a [1]\r\n%Set @b [2]\r\n"));
    EXPECT_EQ("2", noExit.Value("@b"));

    CScriptTestEngine withExit;
    EXPECT_EQ(0, withExit.RunScript("%Set @a [1]\r\n%EXIT\r\n%Set @b [2]\r\n"));
    EXPECT_EQ("1", withExit.Value("@a"));
    EXPECT_EQ("", withExit.Value("@b"));
    EXPECT_THAT(withExit.traces, Not(Contains("get code error.")));
}

TEST(ScriptEngineTest, CommentsHideCommandsButArgumentsAreReadAcrossThem) {
    CScriptTestEngine engine;
    engine.RunScript(
        "// %Set @a [x]\r\n"
        "%Set @b // note [y]\r\n"
        // The "//" inside the address hides the second command of the line.
        "%Set @c [http://host/] %Set @d [z]\r\n"
        "%Set @e [w]\r\n");
    EXPECT_EQ("", engine.Value("@a"));
    EXPECT_EQ("y", engine.Value("@b"));
    EXPECT_EQ("http://host/", engine.Value("@c"));
    EXPECT_EQ("", engine.Value("@d"));
    EXPECT_EQ("w", engine.Value("@e"));
    EXPECT_EQ(1, engine.IsInComment(3));
    EXPECT_EQ(0, engine.IsInComment(0));
}

TEST(ScriptEngineTest, LiteralsNamesAndTokensAreScannedByteByByte) {
    CScriptTestEngine engine;
    engine.RunScript(
        "%Set @a [a]]b]\r\n"
        "%Set @b [[x]]]\r\n"
        "%Set @c [two\r\nlines @d %]\r\n"
        // The second byte of the GBK character 0x81 0x5D is "]" and ends the literal.
        "%Set @e [x\x81]y]\r\n"
        // Its second byte 0x5B is "[" and ends the name.
        "%Set @n\x81[v]\r\n"
        "%SET @IMG_URL [u]\r\n"
        "%Set@f[g]\r\n"
        "%Set @last [abc");
    EXPECT_EQ("a]b", engine.Value("@a"));
    EXPECT_EQ("[x]", engine.Value("@b"));
    EXPECT_EQ("two\r\nlines @d %", engine.Value("@c"));
    EXPECT_EQ("x\x81", engine.Value("@e"));
    EXPECT_EQ("v", engine.Value("@n\x81"));
    EXPECT_EQ("u", engine.Value("@img_url"));
    EXPECT_EQ("g", engine.Value("@f"));
    EXPECT_EQ("abc", engine.Value("@last"));
}

TEST(ScriptEngineTest, AStatementTakesLaterVariablesAndLiteralsStartCommands) {
    CScriptTestEngine engine;
    // %Set lacks its variable: it takes @b of the next line, finds no argument before the end,
    // and the %Print it passed over never runs.
    engine.RunScript("%Set [x]\r\n%Print @b\r\n");
    EXPECT_THAT(engine.traces, Not(Contains("PRINT")));
    EXPECT_EQ("", engine.Value("@b"));

    // %Print reads one argument; the scanner then meets the "%" inside the second literal.
    CScriptTestEngine literal;
    literal.RunScript("%Print [a] [%Set @c [inner] ]\r\n");
    EXPECT_EQ("inner", literal.Value("@c"));
    EXPECT_THAT(literal.traces, Contains("a"));

    // A variable reference reads an unset variable as empty and creates it.
    CScriptTestEngine unset;
    unset.RunScript("%Set @a @never\r\n");
    EXPECT_EQ("", unset.Value("@a"));
    EXPECT_NE(nullptr, unset.Find("@never"));
}

TEST(ScriptEngineTest, TheVariableTableHoldsOneHundredNames) {
    CScriptTestEngine engine;
    engine.Init("");
    for (int i = 0; i < CScriptEngine::kVariableCount; ++i) {
        ASSERT_EQ(0, engine.SetVariable(("@v" + std::to_string(i)).c_str(), "x"));
    }
    EXPECT_EQ(1, engine.SetVariable("@new", "x"));
    EXPECT_THAT(engine.traces, Contains("array overflow"));
    EXPECT_EQ(0, engine.SetVariable("@V99", "y"));
    EXPECT_EQ("y", engine.Value("@v99"));

    // Once full, a new name reads as empty and cannot be written; the run goes on.
    CScriptTestEngine full;
    std::string script;
    for (int i = 0; i < CScriptEngine::kVariableCount; ++i) {
        script += "%Set @v" + std::to_string(i) + " [" + std::to_string(i) + "]\r\n";
    }
    script += "%Set @v7 @more\r\n%Set @more [x]\r\n%Set @v8 [done]\r\n";
    full.RunScript(script);
    EXPECT_EQ("", full.Value("@v7"));
    EXPECT_EQ(nullptr, full.Find("@more"));
    EXPECT_EQ("done", full.Value("@v8"));
}

TEST(ScriptEngineTest, LabelsAreFoundOnceAndTheLaterDefinitionCounts) {
    CScriptTestEngine engine;
    engine.RunScript(
        "%goto [x]\r\n"
        "%lable [x]\r\n%Set @first [1]\r\n%exit\r\n"
        "%lable [x]\r\n%Set @second [1]\r\n"
        "// %lable [hidden]\r\n"
        "%goto [hidden]\r\n%Set @after [1]\r\n");
    EXPECT_EQ("", engine.Value("@first"));
    EXPECT_EQ("1", engine.Value("@second"));
    EXPECT_EQ("1", engine.Value("@after"));

    // Ten thousand label definitions: fifty get slots, jumps to the rest fail.
    CScriptTestEngine many;
    std::string script;
    for (int i = 0; i < 10000; ++i) {
        script += "%lable [l" + std::to_string(i) + "]\r\n";
    }
    script = "%goto [l60]\r\n%Set @fell [through]\r\n%goto [l49]\r\n%Set @skipped [1]\r\n" +
             script + "%Set @reached [yes]\r\n";
    EXPECT_EQ(1, many.RunScript(script));
    EXPECT_EQ("through", many.Value("@fell"));
    EXPECT_EQ("", many.Value("@skipped"));
    EXPECT_EQ("yes", many.Value("@reached"));
    EXPECT_THAT(many.traces, Contains("lable array overflow"));
}

TEST(ScriptEngineTest, ABackwardJumpWithoutATestRunsUntilTheThreadIsStopped) {
    struct Run {
        CScriptTestEngine engine;
        int result = -1;
    } run;
    run.engine.Init("%lable [loop]\r\n%int @n @n [+] [1]\r\n%goto [loop]\r\n");
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            auto* run = static_cast<Run*>(parameter);
            run->result = run->engine.Run();
            return 0;
        },
        &run, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(thread, 200));
    platform::RequestStop(thread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 5000));
    CloseHandle(thread);
    EXPECT_EQ(1, run.result);
    EXPECT_GT(platform::ParseInt(run.engine.Value("@n")), 0);

    // A command limit ends the same loop on any thread.
    CScriptTestEngine limited;
    limited.SetCommandLimit(31);
    EXPECT_EQ(1, limited.RunScript("%lable [loop]\r\n%int @n @n [+] [1]\r\n%goto [loop]\r\n"));
    EXPECT_EQ("15", limited.Value("@n"));
}

TEST(ScriptEngineTest, EachEngineHasARandomGeneratorOfItsOwn) {
    platform::UseTestClock(platform::testing::MakeSystemTime(2024, 3, 5, 14, 7, 9, 0));
    CScriptTestEngine first;
    CScriptTestEngine second;
    const std::string script =
        "%formatstring [rand] @a\r\n%formatstring [rand] @b\r\n%formatstring [RAND] @c\r\n";
    first.Init(script.c_str());
    second.Init(script.c_str());
    first.Run();
    second.Run();
    platform::UseRealClock();
    EXPECT_EQ(first.Value("@a"), second.Value("@a"));
    EXPECT_EQ(first.Value("@c"), second.Value("@c"));
    EXPECT_NE(first.Value("@a"), first.Value("@b"));
    const int value = platform::ParseInt(first.Value("@b"));
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 32767);
}

TEST(ScriptEngineTest, AMegabyteLiteralIsTakenWhole) {
    CScriptTestEngine engine;
    std::string text(1 << 20, 'x');
    text[12345] = '%';
    text[54321] = '@';
    engine.RunScript("%Set @big [" + text + "]\r\n%Set @after [ok]\r\n");
    EXPECT_EQ(text, engine.Value("@big"));
    EXPECT_EQ("ok", engine.Value("@after"));
}

TEST(ScriptEngineTest, AScriptCannotGrowItsVariablesWithoutBound) {
    CScriptTestEngine engine;
    engine.RunScript(
        "%Set @a [x]\r\n"
        "%lable [double]\r\n%Link @a @a @a\r\n%int @n @n [+] [1]\r\n"
        "%Test [int] @n [<] [26] [double]\r\n"
        "%Set @b @a\r\n%Set @c @a\r\n%Set @d @a\r\n"
        "%replace @a [x] [yy]\r\n"
        "%Set @done [1]\r\n");
    EXPECT_EQ(CScriptEngine::kMaxValueLength, engine.Value("@a").size());
    // Four such texts and the counter would hold more than all variables may.
    EXPECT_EQ(CScriptEngine::kMaxValueLength, engine.Value("@c").size());
    EXPECT_EQ("", engine.Value("@d"));
    EXPECT_EQ("1", engine.Value("@done"));
}

TEST(ScriptEngineTest, SetLinkAndPrint) {
    CScriptTestEngine engine;
    engine.RunScript(
        "%Set @s [a]\r\n"
        "%Link @s @s [b] @s\r\n"
        "%Link @empty\r\n"
        "%Print [shown]\r\n"
        "%Print\r\n"
        "%Set @keep [k]\r\n%Set @keep\r\n");
    EXPECT_EQ("aba", engine.Value("@s"));
    EXPECT_EQ("", engine.Value("@empty"));
    EXPECT_EQ("k", engine.Value("@keep"));
    EXPECT_THAT(engine.traces, Contains("shown"));
    EXPECT_THAT(engine.traces, Contains("LINK"));
}

TEST(ScriptEngineTest, IntegerArithmeticIsDefinedEverywhere) {
    const struct {
        const char* operands;
        const char* result;
    } cases[] = {
        {"[7] [/] [2]", "3"},
        {"[-7] [/] [2]", "-3"},
        {"[-7] [%] [2]", "-1"},
        {"[5] [^] [2]", "0"},
        {"[2] [+x] [3]", "5"},
        {"[2] [] [3]", "0"},
        {"[12px] [*] [ 3]", "36"},
        {"[abc] [-] [4]", "-4"},
        {"[7] [/] [0]", "0"},
        {"[7] [%] [0]", "0"},
        {"[-2147483648] [/] [-1]", "-2147483648"},
        {"[-2147483648] [%] [-1]", "0"},
        {"[2147483647] [+] [1]", "-2147483648"},
        {"[65536] [*] [65536]", "0"},
        {"[99999999999] [+] [0]", "2147483647"},
        {"[-99999999999] [+] [0]", "-2147483648"},
    };
    for (const auto& each : cases) {
        CScriptTestEngine engine;
        engine.RunScript(std::string("%int @r ") + each.operands + "\r\n");
        EXPECT_EQ(each.result, engine.Value("@r")) << each.operands;
    }
    CScriptTestEngine missing;
    missing.RunScript("%Set @r [old]\r\n%int @r [1] [+]\r\n");
    EXPECT_EQ("old", missing.Value("@r"));
}

TEST(ScriptEngineTest, TestComparesAndJumps) {
    // Each script sets @hit only when its test jumps.
    const struct {
        const char* test;
        const char* value;
        bool jumps;
    } cases[] = {
        {"[length] @v [>=] [3]", "abc", true}, {"[length] @v [>=] [3]", "ab", false},
        {"[LENGTH] @v [=] [2]", "汉", true},   {"[int] @v [=>] [3]", "3", true},
        {"[int] @v [=>] [3]", "4", false},     {"[int] @v [<>] [3]", "4", true},
        {"[int] @v [<=] [3]", "12px", false},  {"[int] @v [<] [0]", "-1", true},
        {"[int] @v [>] [0]", "x", false},      {"[size] @v [>] [0]", "abc", false},
        {"[int] @v [!] [3]", "3", false},
    };
    for (const auto& each : cases) {
        CScriptTestEngine engine;
        engine.Init((std::string("%Test ") + each.test + " [hit]\r\n%exit\r\n" +
                     "%lable [hit]\r\n%Set @hit [1]\r\n")
                        .c_str());
        engine.SetVariable("@v", each.value);
        engine.Run();
        EXPECT_EQ(each.jumps ? "1" : "", engine.Value("@hit")) << each.test << " " << each.value;
    }
    CScriptTestEngine undefined;
    undefined.RunScript("%Test [int] @v [=] [0] [nowhere]\r\n%Set @went [on]\r\n");
    EXPECT_EQ("on", undefined.Value("@went"));
}

TEST(ScriptEngineTest, LeftAndRightStringCutAtTheFirstSeparator) {
    const struct {
        const char* statement;
        const char* result;
    } cases[] = {
        {"%leftstring @r [a.b.c] [.] [0]", "a"},
        {"%leftstring @r [a.b.c] [.] [1]", "a."},
        {"%rightstring @r [a.b.c] [.] [0]", "b.c"},
        {"%rightstring @r [a.b.c] [.] [1]", ".b.c"},
        {"%leftstring @r [abc] [x] [2]", ""},
        {"%leftstring @r [abc] [x] [0]", "abc"},
        {"%rightstring @r [abc] [] [0]", "abc"},
        {"%leftstring @r [abc] [] [1]", ""},
        // A match never starts inside a two-byte character: the "A" of 0x8141 is passed over.
        {"%leftstring @r [\x81\x41xA] [A] [0]", "\x81\x41x"},
    };
    for (const auto& each : cases) {
        CScriptTestEngine engine;
        engine.RunScript(std::string(each.statement) + "\r\n");
        EXPECT_EQ(each.result, engine.Value("@r")) << each.statement;
    }
    CScriptTestEngine traced;
    traced.RunScript("%rightstring @r [a] [a] [0]\r\n");
    EXPECT_THAT(traced.traces, Contains("LEFT_STRING"));
}

TEST(ScriptEngineTest, ReplaceAndShowDebug) {
    CScriptTestEngine engine;
    engine.RunScript(
        "%Set @v [aXbXXc]\r\n%replace @v [X] [--]\r\n"
        "%Set @same [abc]\r\n%replace @same [z] [y]\r\n"
        "%Set @empty [abc]\r\n%replace @empty [] [y]\r\n"
        "%Set @overlap [aaaa]\r\n%replace @overlap [aa] [b]\r\n"
        "%setshowdebug [0]\r\n%Set @quiet [1]\r\n"
        "%setshowdebug\r\n%Set @quiet2 [1]\r\n"
        "%setshowdebug [2]\r\n%Set @loud [1]\r\n");
    EXPECT_EQ("a--b----c", engine.Value("@v"));
    EXPECT_EQ("abc", engine.Value("@same"));
    EXPECT_EQ("abc", engine.Value("@empty"));
    EXPECT_EQ("bb", engine.Value("@overlap"));
    // "SET" is traced for the first four %Set, not for the two while the flag is 0, and again
    // once it is set.
    EXPECT_EQ(5, std::count(engine.traces.begin(), engine.traces.end(), "SET"));
    EXPECT_THAT(engine.traces, Contains("REPLACE"));
    EXPECT_EQ(1, std::count(engine.traces.begin(), engine.traces.end(), "SET_SHOW_DEBUG"));
}

TEST(ScriptEngineTest, SleepWaitsWholeSecondsWithinADay) {
    platform::UseTestClock(platform::testing::MakeSystemTime(2024, 3, 5, 14, 7, 9, 0));
    const auto waited = [](const std::string& statement) {
        CScriptTestEngine engine;
        const auto before = platform::MonotonicNow();
        engine.RunScript(statement + "\r\n");
        return (platform::MonotonicNow() - before).count();
    };
    EXPECT_EQ(2000, waited("%sleep [2]"));
    EXPECT_EQ(0, waited("%sleep [0]"));
    EXPECT_EQ(0, waited("%sleep [-5]"));
    EXPECT_EQ(0, waited("%sleep"));
    EXPECT_EQ(86400000, waited("%sleep [2147483647]"));
    platform::UseRealClock();
}

TEST(ScriptEngineTest, FilesAreReadAndWrittenWhole) {
    platform::testing::TempFolder folder;
    const std::string page = "<p>\x00 after NUL \xba\xba\xd7\xd6</p>"s;
    folder.WriteFile("in.htm", page);
    const std::string in = platform::ToWindowsPath(folder.path() / "in.htm");
    const std::string out = platform::ToWindowsPath(folder.path() / "out.htm");
    folder.WriteFile("out.htm", std::string(1000, 'o'));

    CScriptTestEngine engine;
    engine.RunScript("%getfile @page [" + in + "]\r\n" + "%savefile [" + out + "] @page\r\n" +
                     "%getfile @missing [" + in + ".gone]\r\n" + "%getfile @folder [" +
                     platform::ToWindowsPath(folder.path()) + "]\r\n" + "%savefile [" + out +
                     "x\\no\\such.htm] [x]\r\n" + "%Set @went [on]\r\n");
    EXPECT_EQ(page, engine.Value("@page"));
    EXPECT_EQ(page, folder.ReadFile("out.htm"));
    EXPECT_EQ("", engine.Value("@missing"));
    EXPECT_EQ("", engine.Value("@folder"));
    EXPECT_EQ("on", engine.Value("@went"));
    EXPECT_THAT(engine.traces, Contains("GET_FILE"));
}

}  // namespace
}  // namespace picture::testing
