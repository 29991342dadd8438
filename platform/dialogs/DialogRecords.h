// What the dialog manager keeps for each dialog beside its window data: the font and its base
// units, the default button, the control that had the focus, and how a modal run ended.
#pragma once

#include <functional>
#include <optional>

#include "platform/base/WinTypes.h"
#include "platform/resources/DialogUnits.h"

namespace platform {

struct DialogRecord {
    HFONT font = nullptr;
    // The font was made from the template and goes with the dialog.
    bool ownsFont = false;
    DialogBaseUnits units;
    // Set once DM_SETDEFID names the default button, or once the default look first moves away
    // from it with the focus (0: the dialog has none); until then the default is the push button
    // that looks like one.
    std::optional<WORD> defaultId;
    // The control that gets the focus back when the dialog is activated again.
    HWND savedFocus = nullptr;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
};

// Records of every live dialog of the process, by window.
class DialogRecords {
public:
    static void Add(HWND dialog, const DialogRecord& record);
    static std::optional<DialogRecord> Find(HWND dialog);
    // Changes the record in place; false when the window is not a dialog.
    static bool Update(HWND dialog, const std::function<void(DialogRecord&)>& change);
    static std::optional<DialogRecord> Remove(HWND dialog);
};

}  // namespace platform
