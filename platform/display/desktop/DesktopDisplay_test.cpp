#include "platform/display/DesktopDisplay.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/display/desktop/DesktopTest.h"

namespace platform::testing {
namespace {

class DesktopDisplayTest : public DesktopTest {};

// The module the display loaded from beside the program is the one this program links: one
// presenter, one window list.
TEST_F(DesktopDisplayTest, TheLoadedModuleIsTheOneTheProgramLinks) {
    const std::filesystem::path beside =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / kDesktopModuleName;
    void* loaded = dlopen(beside.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(loaded, nullptr) << dlerror();
    EXPECT_EQ(dlsym(loaded, "PlatformStartDesktop"),
              reinterpret_cast<void*>(&PlatformStartDesktop));
    dlclose(loaded);
}

}  // namespace
}  // namespace platform::testing
