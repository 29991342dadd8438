// The browser's application object. Start-up hands a pending update to the outside updater when
// there is one; otherwise it prepares what the windows need (skin, control hosting with the
// program's control site and external object, the shared fonts, the settings), registers the
// document template of the main frame and the view, and shows the main window.
//
// The picture collector runs the same start-up with its own fonts, frame and view, without the
// update hand-over and with its generated pages cleared first, through the virtual members.
#pragma once

#include <memory>

#include "browser/BrowserApp.h"
#include "common/SignalCloser.h"
#include "platform/framework/WinApp.h"

class CCustomOccManager;
class CExternalDispatch;

class CQuorApp : public CWinApp, public CBrowserApp {
public:
    CQuorApp();
    ~CQuorApp() override;

    BOOL InitInstance() override;
    // Releases the external object, then the framework's exit.
    int ExitInstance() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // TRUE when a downloaded update must be installed before the browser runs.
    virtual BOOL CheckPendingUpdate();
    int LoadSkin() override;

    // The object page scripts reach as window.external; it lives from start-up until exit.
    CExternalDispatch* m_pExternal = nullptr;

protected:
    // Makes the skin set's normal and heading fonts.
    virtual void CreateSharedFonts();
    // Runs after the skin is loaded, before any window exists; the browser has nothing to do.
    virtual void PrepareProgramFolder() {}
    // The classes of the document template's frame and view.
    virtual CRuntimeClass* FrameClass() const;
    virtual CRuntimeClass* ViewClass() const;

    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CCustomOccManager> occManager_;
    SignalCloser signalCloser_;
};
