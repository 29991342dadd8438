// Loads arbitrary bytes as a page and drives it: its scripts, mouse input over it, its timers and
// writes into it. Scripts get a small budget and memory limit, so that the run ends quickly.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/web/Page.h"
#include "platform/web/PageHostTest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace platform::web;
    // Pages up to a megabyte: nested and attribute-laden markup shows its cost only when large
    // (scripts/fuzz.sh runs this target with a matching -max_len).
    if (size > 1024 * 1024) {
        return 0;
    }
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::testing::RecordingPageHost host;
    // Frames and script files are the page itself again, so that nesting gets exercised.
    host.files["file:///C:/f/frame.htm"] = std::string(bytes);
    host.files["file:///C:/f/lib.js"] = std::string(bytes);
    PageOptions options;
    options.scriptBudget = 8;
    options.scriptMemoryLimit = 4u << 20;
    options.maxFrameDepth = 2;
    options.maxFrames = 4;
    Page page(host, options);
    page.Load(bytes, "file:///C:/f/page.htm");
    for (int y = 0; y < 64; y += 8) {
        page.MouseMove(y * 3, y);
        page.Click(y * 3, y);
    }
    page.MouseLeave();
    page.AdvanceTime(1000);
    page.Write(bytes.substr(0, 256));
    page.Close();
    if (size % 2 == 1) {
        page.SetCharset("utf-8");
        page.Reload();
    }
    return 0;
}
