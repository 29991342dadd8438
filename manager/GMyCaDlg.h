// The system tools page, page 1 of the main window: the title "系统功能" over its skin and one of
// six child pages below it, chosen by the page commands 10 to 15 (indices 0 to 5): timed
// shutdown, backup settings, boss key, CD-tray keys, processes and screen-shot settings.
#pragma once

#include "manager/SubPageHost.h"

inline constexpr char kSystemSkinKey[] = "[BITMAP_BACKGROUND_SYSTEM]";

class GMyCaDlg : public CSubPageHost {
public:
    enum Slot { kShutdown, kBackup, kBossKey, kCdKeys, kProcesses, kScreenShot, kChildren };

    GMyCaDlg();

protected:
    std::unique_ptr<CDialog> CreateChild(int index, UINT& templateId) override;
    // Shutdown, backup, processes, screen shot, boss key, CD keys.
    int DestroySlot(int n) const override;
};
