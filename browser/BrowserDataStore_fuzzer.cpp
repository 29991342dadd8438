// Feeds the settings file, the visited list and the start page from one input: the parts are
// separated by the byte 0xFF, which never occurs in GBK text. After loading, the store is saved
// and loaded again: the second load must give the same settings file and the same visited list
// (the 1800 newest entries of the first).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "browser/BrowserDataStore.h"
#include "platform/testing/TempFolder.h"

namespace {

constexpr char kSeparator = '\xFF';

const platform::testing::TempFolder& ProgramFolder() {
    static const platform::testing::TempFolder folder;
    return folder;
}

std::string_view NextPart(std::string_view& input) {
    size_t end = input.find(kSeparator);
    std::string_view part = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const platform::testing::TempFolder& folder = ProgramFolder();
    // The store's paths are relative to the program folder; libFuzzer's own paths are relative to
    // the folder it was started in, so the switch lasts for one input only.
    const std::filesystem::path startFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    std::string_view input(reinterpret_cast<const char*>(data), size);
    folder.WriteFile("data/filter.dat", std::string(NextPart(input)));
    folder.WriteFile("data/visited.dat", std::string(NextPart(input)));
    folder.WriteFile("data/main.htm", std::string(NextPart(input)));

    CBrowserDataStore store;
    store.Load();
    for (const CString& url : store.visitedUrls) {
        if (store.IsUrlBlocked(url)) {
            store.AddBlockedUrl(url);
        }
        store.AddAllowedUrl(url);
    }
    if (!store.visitedUrls.empty()) {
        store.AddVisitedUrl(store.visitedUrls.back());
    }
    store.SaveAll();
    std::string saved = folder.ReadFile("data/filter.dat");

    CBrowserDataStore reloaded;
    reloaded.Load();
    reloaded.Save();
    if (folder.ReadFile("data/filter.dat") != saved) {
        std::abort();
    }
    const size_t kept = std::min(store.visitedUrls.size(), CBrowserDataStore::kMaxVisitedUrls);
    if (reloaded.visitedUrls.size() != kept ||
        !std::equal(reloaded.visitedUrls.begin(), reloaded.visitedUrls.end(),
                    store.visitedUrls.begin(),
                    [](const CString& a, const CString& b) { return a.view() == b.view(); })) {
        std::abort();
    }
    std::filesystem::current_path(startFolder);
    return 0;
}
