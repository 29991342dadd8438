#include "manager/GMyCaDlg.h"

#include "manager/BackupSettingsDlg.h"
#include "manager/BossKeyPage.h"
#include "manager/CdTrayKeyPage.h"
#include "manager/ProcessListPage.h"
#include "manager/ScreenShotPage.h"
#include "manager/ShutdownTimerPage.h"
#include "resources/deskvane/resource.h"

GMyCaDlg::GMyCaDlg() : CSubPageHost(IDD_SYSTEM_TOOLS, "系统功能", kSystemSkinKey, kChildren) {}

int GMyCaDlg::DestroySlot(int n) const {
    static constexpr int kOrder[kChildren] = {kShutdown,   kBackup,  kProcesses,
                                              kScreenShot, kBossKey, kCdKeys};
    return kOrder[n];
}

std::unique_ptr<CDialog> GMyCaDlg::CreateChild(int index, UINT& templateId) {
    switch (index) {
        case kShutdown:
            templateId = IDD_SHUTDOWN;
            return std::make_unique<CShutdownTimerPage>();
        case kBackup:
            templateId = IDD_BACKUP;
            return std::make_unique<CBackupSettingsDlg>();
        case kBossKey:
            templateId = IDD_BOSS_KEY;
            return std::make_unique<CBossKeyPage>();
        case kCdKeys:
            templateId = IDD_CD_KEYS;
            return std::make_unique<CCdTrayKeyPage>();
        case kProcesses:
            templateId = IDD_PROCESSES;
            return std::make_unique<CProcessListPage>();
        case kScreenShot:
            templateId = IDD_SCREENSHOT;
            return std::make_unique<CScreenShotPage>();
        default:
            return nullptr;
    }
}
