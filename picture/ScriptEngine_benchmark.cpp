// A script that cuts every link and picture address out of a 2 MB page of 20 000 anchors and
// 20 000 pictures, beside Python's re.findall over the same page for the same addresses (run in
// the same process run, the page handed over in a file). The Python figure is the mean of its
// own timed runs, reported as manual time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "picture/ScriptEngine.h"
#include "platform/testing/PythonPeer.h"
#include "platform/testing/TempFolder.h"

namespace {

constexpr int kItems = 20000;

// About 2 MB: each line holds one link and one picture, as a gallery page does.
const std::string& Page() {
    static const std::string page = [] {
        std::string text = "<html><head><title>gallery</title></head><body>\n";
        for (int i = 0; i < kItems; ++i) {
            const std::string n = std::to_string(i);
            text += "<a href=\"http://img.example.com/p" + n + ".htm\">picture " + n +
                    "</a> <img src=\"http://img.example.com/t" + n + ".jpg\">\n";
        }
        return text + "</body></html>\n";
    }();
    return page;
}

const char kScript[] =
    "%setshowdebug [0]\r\n"
    "%lable [link]\r\n"
    "%html [get_a] [http://img.example.com/] @page @text @address\r\n"
    "%Test [length] @page [=] [0] [pictures]\r\n"
    "%Print @address\r\n"
    "%goto [link]\r\n"
    "%lable [pictures]\r\n"
    "%html [get_img] [http://img.example.com/] @copy @text @address\r\n"
    "%Test [length] @copy [=] [0] [done]\r\n"
    "%Print @address\r\n"
    "%goto [pictures]\r\n"
    "%lable [done]\r\n"
    "%exit\r\n";

// Keeps what the script prints, as Python's findall keeps its matches: the texts one after
// another in one buffer that lives as long as the benchmark, as Python's allocator keeps its
// arenas.
class CCollectingEngine : public CScriptEngine {
public:
    explicit CCollectingEngine(std::string& texts) : m_texts(texts) { m_texts.clear(); }
    int count = 0;
    void Trace(const char* text) override {
        m_texts += text;
        m_texts += '\n';
        ++count;
    }

private:
    std::string& m_texts;
};

// An engine with the page in @page and @copy, ready to run; what it prints goes to texts.
std::unique_ptr<CCollectingEngine> PreparedEngine(std::string& texts) {
    auto engine = std::make_unique<CCollectingEngine>(texts);
    engine->Init(kScript);
    engine->SetVariable("@page", CString(std::string_view(Page())));
    engine->SetVariable("@copy", CString(std::string_view(Page())));
    return engine;
}

// Times the run of the script; handing the page to the engine is not timed, as reading the page
// is not timed on Python's side.
void BM_ScriptCutsLinksAndPictures(benchmark::State& state) {
    std::string texts;
    texts.reserve(4 << 20);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CCollectingEngine> engine = PreparedEngine(texts);
        state.ResumeTiming();
        engine->Run();
        state.PauseTiming();
        // "init", "init ok" and "run" come before the addresses.
        const bool complete = engine->count == 3 + 2 * kItems;
        engine.reset();
        state.ResumeTiming();
        if (!complete) {
            state.SkipWithError("the script did not find every address");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Page().size()));
    state.counters["page_bytes"] = static_cast<double>(Page().size());
}
BENCHMARK(BM_ScriptCutsLinksAndPictures)->Unit(benchmark::kMillisecond);

// Python takes the page from a file, times findall itself (processor time, like the CPU column
// of the script's benchmark, and wall time) and writes the addresses it found.
const char kPython[] =
    "import re, sys, time\n"
    "page = open(sys.argv[1], 'rb').read()\n"
    "links = re.compile(rb'<a\\s[^>]*?href=\"([^\"]*)\"')\n"
    "pictures = re.compile(rb'<img\\s[^>]*?src=\"([^\"]*)\"')\n"
    "runs = int(sys.argv[3])\n"
    "wall = time.perf_counter()\n"
    "cpu = time.process_time()\n"
    "for _ in range(runs):\n"
    "    found = links.findall(page) + pictures.findall(page)\n"
    "cpu = (time.process_time() - cpu) / runs\n"
    "wall = (time.perf_counter() - wall) / runs\n"
    "open(sys.argv[2], 'wb').write(b'\\n'.join(found) + b'\\n')\n"
    "print(cpu, wall)\n";

// Manual time is Python's processor time per run; its wall time is the counter wall_ms.
void BM_PythonFindall(benchmark::State& state) {
    platform::testing::TempFolder folder;
    folder.WriteFile("page.htm", Page());
    folder.WriteFile("findall.py", kPython);
    const std::string command = "python3 '" + (folder.path() / "findall.py").string() + "' '" +
                                (folder.path() / "page.htm").string() + "' '" +
                                (folder.path() / "found.txt").string() + "' 10";
    if (!platform::testing::RunPythonPeer(state, command)) {
        return;
    }
    // The same addresses, in the same order, as the script's.
    std::string printed;
    std::unique_ptr<CCollectingEngine> engine = PreparedEngine(printed);
    engine->Run();
    if (folder.ReadFile("found.txt") != printed.substr(printed.find("run\n") + 4)) {
        state.SkipWithError("Python found other addresses than the script");
    }
}
BENCHMARK(BM_PythonFindall)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
