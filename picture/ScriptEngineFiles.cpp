// The script statements that read and write files: GETFILE, GETREMOTEFILE and SAVEFILE.
#include "picture/ScriptEngine.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>

#include "picture/HttpGet.h"
#include "picture/KeyedTextFile.h"
#include "platform/drawing/FileReplace.h"
#include "platform/files/Path.h"

int CScriptEngine::ExecGetFile() {
    TraceStatement("GET_FILE");
    ScriptVariable* variable = NextVariable();
    std::string path;
    if (variable == nullptr || NextArgument(path) != 0) {
        return 1;
    }
    // Only a regular file of a size a variable can hold is read: a device or a huge file would
    // never end or exhaust memory.
    std::string text;
    const std::optional<std::filesystem::path> resolved = platform::ResolvePath(path);
    std::error_code error;
    if (resolved && std::filesystem::is_regular_file(*resolved, error) &&
        std::filesystem::file_size(*resolved, error) <= m_maxValueLength && !error) {
        CKeyedTextFile file;
        if (file.Load(path.c_str(), "") == 0) {
            text = file.GetContent().str();
        }
    }
    // A text too long for a variable counts as one that cannot be read.
    if (!Store(variable, std::move(text))) {
        Store(variable, std::string());
    }
    return 0;
}

int CScriptEngine::ExecGetRemoteFile() {
    TraceStatement("GET_REMOTE_FILE");
    ScriptVariable* variable = NextVariable();
    std::string address;
    if (variable == nullptr || NextArgument(address) != 0) {
        return 1;
    }
    CHttpGet fetch;
    CString text;
    if (fetch.FetchText(address.c_str(), text) == CHttpGet::kFetchFailed) {
        text.Empty();
    }
    if (!Store(variable, std::string(text.view()))) {
        Store(variable, std::string());
    }
    return 0;
}

int CScriptEngine::ExecSaveFile() {
    std::string path;
    std::string text;
    if (!NextArguments(path, text)) {
        return 1;
    }
    // The bytes go to a temporary file that then replaces the old one, so a failed write never
    // leaves a page cut short; a file that cannot be written is skipped.
    if (const std::optional<std::filesystem::path> resolved = platform::ResolvePath(path)) {
        platform::ReplaceFileContents(
            *resolved, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    }
    return 0;
}
