#include "manager/BossKeySettings.h"

#include <vector>

#include "common/WholeFile.h"
#include "manager/RecordBytes.h"
#include "manager/ScheduleList.h"
#include "platform/windows/WindowApi.h"

bool BossKeySettings::Parse(std::span<const std::uint8_t> bytes) {
    RecordBytes in(bytes);
    if (!in.Has(kSize)) {
        return false;
    }
    key = HotKeyRecord::Read(in);
    target = in.Int();
    in.Text(title);
    return true;
}

std::string BossKeySettings::Serialize() const {
    std::string out;
    key.Append(out);
    RecordBytes::AppendInt(out, target);
    RecordBytes::AppendText(out, title);
    return out;
}

void BossKeySettings::SetTitle(std::string_view text) {
    RecordBytes::Store(title, text);
}

int BossKeySettings::Load(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(path, bytes) && Parse(bytes)) {
        return 0;
    }
    *this = BossKeySettings();
    return 1;
}

bool BossKeySettings::Save(const char* path) const {
    if (!WriteWholeFile(path, Serialize())) {
        return false;
    }
    if (HWND tray = ::FindWindowA(nullptr, kTrayTitle)) {
        ::PostMessageA(tray, WM_SETTINGS_CHANGED, 0, 0);
    }
    return true;
}
