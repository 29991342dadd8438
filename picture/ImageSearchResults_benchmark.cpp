// The picture list of 1 000 pictures (and 25 page links) generated and written into a page the way
// the page's browser takes it (its "about:blank" document written with the list as one BSTR),
// beside Python generating the same markup with html.escape and parsing
// it with html.parser (run in the same process run; its own timing is reported as manual time).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "picture/ImageSearchResults.h"
#include "platform/com/Bstr.h"
#include "platform/testing/PythonPeer.h"
#include "platform/testing/TempFolder.h"
#include "platform/web/Page.h"
#include "platform/web/PageHostTest.h"
#include "platform/webcontrol/AutomationText.h"

namespace {

constexpr int kPictures = 1000;
constexpr int kPages = 25;

std::vector<SearchLink> Links(int count, const char* kind) {
    std::vector<SearchLink> links;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        links.push_back(
            {CString("http://image.example.com/i?" + std::string(kind) + "=1&n=" + n),
             CString("<img src=\"http://t.example.com/" + n + ".jpg\" width=100 height=75>")});
    }
    return links;
}

void BM_RenderAndLoadPictureList(benchmark::State& state) {
    const std::vector<SearchLink> pictures = Links(kPictures, "ct");
    const std::vector<SearchLink> pages = Links(kPages, "z");
    platform::testing::RecordingPageHost host;
    size_t bytes = 0;
    for (auto _ : state) {
        CString list;
        CImageSearchResults::RenderList("风景", pictures, pages, list);
        platform::web::Page page(host);
        page.Load("", "about:blank");
        BSTR markup = platform::BstrFromGbk(list.view());
        page.Write(platform::webcontrol::Utf8FromBstr(markup));
        SysFreeString(markup);
        bytes = static_cast<size_t>(list.GetLength());
        host.events.clear();
    }
    state.counters["list_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderAndLoadPictureList)->Unit(benchmark::kMillisecond);

void BM_RenderPictureList(benchmark::State& state) {
    const std::vector<SearchLink> pictures = Links(kPictures, "ct");
    const std::vector<SearchLink> pages = Links(kPages, "z");
    for (auto _ : state) {
        CString list;
        CImageSearchResults::RenderList("风景", pictures, pages, list);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_RenderPictureList)->Unit(benchmark::kMicrosecond);

const char kPython[] =
    "import html, html.parser, sys, time\n"
    "class Counter(html.parser.HTMLParser):\n"
    "    def __init__(self):\n"
    "        super().__init__()\n"
    "        self.tags = 0\n"
    "    def handle_starttag(self, tag, attrs):\n"
    "        self.tags += 1\n"
    "def render():\n"
    "    k = html.escape('\\u98ce\\u666f')\n"
    "    out = ['&nbsp;&nbsp;<b>', k, '</b><hr><script>function play(obj){}</script>"
    "<table border=0 width=100%>']\n"
    "    for i in range(1000):\n"
    "        if i % 4 == 0: out.append('<tr>')\n"
    "        out.append('<td><div style=\\'border:1px solid black\\' onclick=play(this) url=\"'"
    " + html.escape('http://image.example.com/i?ct=1&n=%d' % i) + '|||||' + k + '\">'"
    " + '<img src=\"' + html.escape('http://t.example.com/%d.jpg' % i) + '\"></div></td>')\n"
    "        if i % 4 == 3: out.append('</tr>')\n"
    "    out.append('</table><table border=0>')\n"
    "    for j in range(25):\n"
    "        out.append('<td><div onclick=page(this) url=\"' + html.escape("
    "'http://image.example.com/i?z=1&n=%d' % j) + '|||||' + k + '\">[%d]</div></td>' % j)\n"
    "    out.append('</table>')\n"
    "    return ''.join(out)\n"
    "runs = int(sys.argv[1])\n"
    "wall = time.perf_counter()\n"
    "cpu = time.process_time()\n"
    "for _ in range(runs):\n"
    "    parser = Counter()\n"
    "    parser.feed(render())\n"
    "    parser.close()\n"
    "cpu = (time.process_time() - cpu) / runs\n"
    "wall = (time.perf_counter() - wall) / runs\n"
    "print(cpu, wall)\n";

// Manual time is Python's processor time per run; its wall time is the counter wall_ms.
void BM_PythonRenderAndParse(benchmark::State& state) {
    platform::testing::TempFolder folder;
    folder.WriteFile("list.py", kPython);
    const std::string command = "python3 '" + (folder.path() / "list.py").string() + "' 20";
    platform::testing::RunPythonPeer(state, command);
}
BENCHMARK(BM_PythonRenderAndParse)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
