#include "manager/SnapshotSettings.h"

#include <vector>

#include "common/WholeFile.h"
#include "manager/RecordBytes.h"
#include "manager/ScheduleList.h"
#include "platform/windows/WindowApi.h"

SnapshotSettings SnapshotSettings::Defaults(std::string_view programFolder) {
    SnapshotSettings settings;
    settings.SetFolder(std::string(programFolder) + "Snapshot\\");
    return settings;
}

bool SnapshotSettings::Parse(std::span<const std::uint8_t> bytes) {
    RecordBytes in(bytes);
    if (!in.Has(kSize)) {
        return false;
    }
    fullScreenKey = HotKeyRecord::Read(in);
    windowKey = HotKeyRecord::Read(in);
    areaKey = HotKeyRecord::Read(in);
    toClipboard = in.Int();
    toFile = in.Int();
    in.Text(folder);
    return true;
}

std::string SnapshotSettings::Serialize() const {
    std::string out;
    fullScreenKey.Append(out);
    windowKey.Append(out);
    areaKey.Append(out);
    RecordBytes::AppendInt(out, toClipboard);
    RecordBytes::AppendInt(out, toFile);
    RecordBytes::AppendText(out, folder);
    return out;
}

void SnapshotSettings::SetFolder(std::string_view text) {
    RecordBytes::Store(folder, text);
}

int SnapshotSettings::Load(std::string_view programFolder, const char* path) {
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(path, bytes) && Parse(bytes)) {
        return 0;
    }
    *this = Defaults(programFolder);
    return 1;
}

bool SnapshotSettings::Save(const char* path) const {
    if (!WriteWholeFile(path, Serialize())) {
        return false;
    }
    if (HWND tray = ::FindWindowA(nullptr, kTrayTitle)) {
        ::PostMessageA(tray, WM_SETTINGS_CHANGED, 0, 0);
    }
    return true;
}
