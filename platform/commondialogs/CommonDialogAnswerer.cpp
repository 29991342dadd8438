// The answerer of the common dialogs, the record of their requests and the extended error.
#include <cstring>
#include <mutex>

#include "platform/commondialogs/CommonDialogApi.h"

namespace platform {

namespace {

struct Requests {
    std::mutex mutex;
    CommonDialogAnswerer answerer;
    std::vector<CommonDialogRequest> made;
};

Requests& TheRequests() {
    static Requests requests;
    return requests;
}

thread_local DWORD lastError = 0;

}  // namespace

CommonDialogAnswer CommonDialogAnswer::Path(std::string path, int filterIndex) {
    CommonDialogAnswer answer;
    answer.chosen = true;
    answer.path = std::move(path);
    answer.filterIndex = filterIndex;
    return answer;
}

CommonDialogAnswer CommonDialogAnswer::Font(const char* face, int pointSize, LONG weight,
                                            bool italic, COLORREF color) {
    CommonDialogAnswer answer;
    answer.chosen = true;
    std::strncpy(answer.font.lfFaceName, face, LF_FACESIZE - 1);
    answer.font.lfWeight = weight;
    answer.font.lfItalic = italic ? 1 : 0;
    answer.pointSize = pointSize;
    answer.color = color;
    return answer;
}

void SetCommonDialogAnswerer(CommonDialogAnswerer answerer) {
    Requests& requests = TheRequests();
    std::lock_guard lock(requests.mutex);
    requests.answerer = std::move(answerer);
}

std::vector<CommonDialogRequest> TakeCommonDialogRequests() {
    Requests& requests = TheRequests();
    std::lock_guard lock(requests.mutex);
    std::vector<CommonDialogRequest> taken;
    taken.swap(requests.made);
    return taken;
}

std::optional<CommonDialogAnswer> AskCommonDialogAnswerer(const CommonDialogRequest& request) {
    Requests& requests = TheRequests();
    CommonDialogAnswerer answerer;
    {
        std::lock_guard lock(requests.mutex);
        requests.made.push_back(request);
        answerer = requests.answerer;
    }
    if (!answerer) {
        return std::nullopt;
    }
    return answerer(request);
}

void SetCommonDialogError(DWORD error) {
    lastError = error;
}

}  // namespace platform

DWORD CommDlgExtendedError() {
    return platform::lastError;
}
