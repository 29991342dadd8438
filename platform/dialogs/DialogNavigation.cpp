#include "platform/dialogs/DialogNavigation.h"

#include <algorithm>

#include "platform/dialogs/DialogApi.h"

namespace platform {

namespace {

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

bool Reachable(HWND hwnd) {
    const DWORD style = StyleOf(hwnd);
    return (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

bool IsContainer(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0 && Reachable(hwnd);
}

void Collect(HWND parent, std::vector<HWND>& items) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsContainer(child)) {
            Collect(child, items);
        } else {
            items.push_back(child);
        }
    }
}

// Walks the ring of items from `start` (exclusive) in one direction and returns the first one
// that `accept` takes; `start` itself when none does.
template <typename Accept>
HWND Walk(const std::vector<HWND>& ring, size_t start, bool previous, Accept accept) {
    const size_t count = ring.size();
    for (size_t step = 1; step < count; ++step) {
        const size_t index = previous ? (start + count - step) % count : (start + step) % count;
        if (accept(ring[index])) {
            return ring[index];
        }
    }
    return ring[start];
}

}  // namespace

std::vector<HWND> DialogNavigation::Items(HWND dialog) {
    std::vector<HWND> items;
    if (IsWindow(dialog)) {
        Collect(dialog, items);
    }
    return items;
}

HWND DialogNavigation::ItemOf(HWND dialog, HWND hwnd) {
    const std::vector<HWND> items = Items(dialog);
    for (HWND up = hwnd; up != nullptr && up != dialog; up = GetParent(up)) {
        if (std::find(items.begin(), items.end(), up) != items.end()) {
            return up;
        }
        if ((StyleOf(up) & WS_CHILD) == 0) {
            break;
        }
    }
    return nullptr;
}

HWND DialogNavigation::NextTabItem(HWND dialog, HWND from, bool previous) {
    const std::vector<HWND> items = Items(dialog);
    auto isTabStop = [](HWND hwnd) { return Reachable(hwnd) && (StyleOf(hwnd) & WS_TABSTOP); };
    const HWND item = from != nullptr ? ItemOf(dialog, from) : nullptr;
    auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) {
        if (previous) {
            auto last = std::find_if(items.rbegin(), items.rend(), isTabStop);
            return last == items.rend() ? nullptr : *last;
        }
        auto first = std::find_if(items.begin(), items.end(), isTabStop);
        return first == items.end() ? nullptr : *first;
    }
    return Walk(items, static_cast<size_t>(found - items.begin()), previous, isTabStop);
}

HWND DialogNavigation::NextGroupItem(HWND dialog, HWND from, bool previous) {
    const std::vector<HWND> items = Items(dialog);
    const HWND item = from != nullptr ? ItemOf(dialog, from) : nullptr;
    auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) {
        return nullptr;
    }
    // The group runs from the last WS_GROUP item at or before the control up to the next one.
    size_t first = static_cast<size_t>(found - items.begin());
    while (first > 0 && (StyleOf(items[first]) & WS_GROUP) == 0) {
        --first;
    }
    size_t end = first + 1;
    while (end < items.size() && (StyleOf(items[end]) & WS_GROUP) == 0) {
        ++end;
    }
    const std::vector<HWND> group(items.begin() + static_cast<std::ptrdiff_t>(first),
                                  items.begin() + static_cast<std::ptrdiff_t>(end));
    const size_t start = static_cast<size_t>(found - items.begin()) - first;
    return Walk(group, start, previous, Reachable);
}

}  // namespace platform

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return platform::DialogNavigation::NextTabItem(hDlg, hCtl, bPrevious != FALSE);
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return platform::DialogNavigation::NextGroupItem(hDlg, hCtl, bPrevious != FALSE);
}
