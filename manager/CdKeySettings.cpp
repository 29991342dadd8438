#include "manager/CdKeySettings.h"

#include <vector>

#include "common/WholeFile.h"
#include "manager/RecordBytes.h"
#include "manager/ScheduleList.h"
#include "platform/windows/WindowApi.h"

bool CdKeySettings::Parse(std::span<const std::uint8_t> bytes) {
    RecordBytes in(bytes);
    if (!in.Has(kSize)) {
        return false;
    }
    open = HotKeyRecord::Read(in);
    close = HotKeyRecord::Read(in);
    return true;
}

std::string CdKeySettings::Serialize() const {
    std::string out;
    open.Append(out);
    close.Append(out);
    return out;
}

int CdKeySettings::Load(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(path, bytes) && Parse(bytes)) {
        return 0;
    }
    *this = CdKeySettings();
    return 1;
}

bool CdKeySettings::Save(const char* path) const {
    if (!WriteWholeFile(path, Serialize())) {
        return false;
    }
    if (HWND tray = ::FindWindowA(nullptr, kTrayTitle)) {
        ::PostMessageA(tray, WM_SETTINGS_CHANGED, 0, 0);
    }
    return true;
}
