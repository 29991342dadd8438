#include <string>

#include <benchmark/benchmark.h>

#include "browser/BrowserDataStore.h"

namespace {

// Numbers of equal width give addresses of equal length, so that no entry can be passed over by
// its length alone.
std::string NumberedUrl(const char* prefix, int number) {
    return "http://www." + std::string(prefix) + std::to_string(100000 + number) +
           ".example.com/index.htm";
}

// The address box adds each completed page to a list that is usually full.
void BM_AddVisitedUrlIntoFullList(benchmark::State& state) {
    CBrowserDataStore store;
    for (int i = 0; i < static_cast<int>(CBrowserDataStore::kMaxVisitedUrls); ++i) {
        store.AddVisitedUrl(NumberedUrl("visited", i).c_str());
    }
    // Alternates a revisit of the oldest entry (the longest search and move) with a new address
    // that pushes one out.
    int next = 0;
    for (auto _ : state) {
        const CString& oldest = store.visitedUrls.back();
        std::string url =
            next % 2 == 0 ? std::string(oldest.view()) : NumberedUrl("visited", 50000 + next);
        benchmark::DoNotOptimize(store.AddVisitedUrl(url.c_str()));
        ++next;
    }
}
BENCHMARK(BM_AddVisitedUrlIntoFullList)->Unit(benchmark::kMicrosecond);

// Every navigation asks the filter; an address that no rule blocks tests them all.
void BM_IsUrlBlockedWith500Rules(benchmark::State& state) {
    CBrowserDataStore store;
    for (int i = 0; i < 500; ++i) {
        auto rule = std::make_unique<FilterRule>();
        rule->scope = i % 3;
        rule->pattern = ("AdBanner" + std::to_string(i)).c_str();
        rule->site = ("Tracker" + std::to_string(i) + ".com").c_str();
        store.rules.push_back(std::move(rule));
    }
    for (int i = 0; i < 20; ++i) {
        store.AddAllowedUrl(NumberedUrl("Allowed", i).c_str());
    }
    const std::string url =
        "http://www.Some-News-Site.example.com/2008/05/world/Article-12345.html?ref=front&page=2";
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.IsUrlBlocked(url.c_str()));
    }
}
BENCHMARK(BM_IsUrlBlockedWith500Rules)->Unit(benchmark::kMicrosecond);

}  // namespace
