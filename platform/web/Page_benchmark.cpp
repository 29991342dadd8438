#include <benchmark/benchmark.h>

#include <string>

#include "platform/web/HtmlDocument.h"
#include "platform/web/HtmlSerializer.h"
#include "platform/web/Page.h"
#include "platform/web/PageHostTest.h"

namespace platform::web {
namespace {

// A picture-list page as the collector writes it: one clickable block per picture.
std::string PictureList(int items) {
    std::string page =
        "<html><head><title>list</title><script>function play(obj){ window.status='';"
        " window.status='qrplay:1:'+obj.url; window.status=''; }</script></head><body>";
    for (int i = 0; i < items; ++i) {
        std::string n = std::to_string(i);
        page += "<div class=item onclick=play(this) url=\"http://h.example/p" + n +
                ".jpg|||||K&amp;\"><img src=\"t" + n + ".jpg\" width=100 height=75><br>" +
                "<a href=\"page" + n + ".htm\">picture " + n + "</a></div>\n";
    }
    return page + "</body></html>";
}

void BM_ParseAndSerialise(benchmark::State& state) {
    std::string page = PictureList(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        HtmlDocument document;
        document.Load(page, "file:///C:/p/list.htm");
        benchmark::DoNotOptimize(OuterHtml(document.root()));
        benchmark::DoNotOptimize(document.Links().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ParseAndSerialise)->Arg(100)->Arg(2000);

void BM_LoadAndClick(benchmark::State& state) {
    std::string page = PictureList(static_cast<int>(state.range(0)));
    testing::RecordingPageHost host;
    for (auto _ : state) {
        Page loaded(host);
        loaded.Load(page, "file:///C:/p/list.htm");
        loaded.Click(10, 10);
        host.events.clear();
        host.statusTexts.clear();
    }
}
BENCHMARK(BM_LoadAndClick)->Arg(100)->Arg(2000);

// A hostile page: `<div><p>x</p>` repeated, every div left open, up to the given size.
std::string NestedUnclosed(size_t bytes) {
    std::string page;
    while (page.size() < bytes) {
        page += "<div><p>x</p>";
    }
    return page;
}

// Its peer: the same tags and text, each div closed, so the page is flat.
std::string FlatClosed(size_t bytes) {
    std::string page;
    while (page.size() < bytes) {
        page += "<div><p>x</p></div>";
    }
    return page;
}

void LoadAndLayOut(benchmark::State& state, const std::string& page) {
    testing::RecordingPageHost host;
    for (auto _ : state) {
        Page loaded(host);
        loaded.Load(page, "file:///C:/p/page.htm");
        benchmark::DoNotOptimize(loaded.Layout().HitTest(10, 10));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}

void BM_LoadNestedUnclosedPage(benchmark::State& state) {
    LoadAndLayOut(state, NestedUnclosed(static_cast<size_t>(state.range(0)) << 10));
}
BENCHMARK(BM_LoadNestedUnclosedPage)->Arg(256)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

void BM_LoadFlatPage(benchmark::State& state) {
    LoadAndLayOut(state, FlatClosed(static_cast<size_t>(state.range(0)) << 10));
}
BENCHMARK(BM_LoadFlatPage)->Arg(256)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace platform::web
