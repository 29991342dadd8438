#include "platform/display/Display.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/dialogs/MessageBoxApi.h"
#include "platform/display/DesktopDisplay.h"

namespace platform {

namespace {

using StartFunction = bool (*)();
using StopFunction = void (*)();

StopFunction stop_desktop = nullptr;

void RunHeadless(const std::string& reason) {
    std::fprintf(stderr, "%s; running headless.\n", reason.c_str());
    SetMessageBoxAnswerer(AnswerWithoutDisplay);
}

}  // namespace

DisplayKind ChooseDisplay(const char* forced, const char* x11Display) {
    if (forced != nullptr && std::strcmp(forced, "headless") == 0) {
        return DisplayKind::kHeadless;
    }
    if (forced != nullptr && std::strcmp(forced, "desktop") == 0) {
        return DisplayKind::kDesktop;
    }
    return x11Display != nullptr && *x11Display != '\0' ? DisplayKind::kDesktop
                                                        : DisplayKind::kHeadless;
}

void StartDisplay() {
    if (stop_desktop != nullptr ||
        ChooseDisplay(std::getenv("PLATFORM_DISPLAY"), std::getenv("DISPLAY")) ==
            DisplayKind::kHeadless) {
        return;
    }
    // A program that lacks a function the module calls runs headless from the start instead of
    // failing at some later click. The module stays loaded, as GTK cannot be unloaded.
    std::string path;
    std::string failure;
    void* module = OpenModuleBesideProgram(kDesktopModuleName, path, failure);
    if (module == nullptr) {
        RunHeadless("The desktop module " + path + " could not be loaded (" + failure + ")");
        return;
    }
    auto start = reinterpret_cast<StartFunction>(dlsym(module, "PlatformStartDesktop"));
    auto stop = reinterpret_cast<StopFunction>(dlsym(module, "PlatformStopDesktop"));
    if (start == nullptr || stop == nullptr) {
        RunHeadless("The desktop module " + path + " lacks its entry points");
        return;
    }
    if (!start()) {
        RunHeadless("No desktop display could be opened");
        return;
    }
    stop_desktop = stop;
}

void* OpenModuleBesideProgram(const char* name, std::string& path, std::string& failure) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    path = (program.parent_path() / name).string();
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = dlerror();
        failure = reason != nullptr ? reason : "no reason given";
    }
    return module;
}

void StopDisplay() {
    if (stop_desktop == nullptr) {
        return;
    }
    stop_desktop();
    stop_desktop = nullptr;
}

}  // namespace platform
