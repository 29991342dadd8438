// The application object: one per program, built by static initialisation and run by
// AfxWinMain: InitInstance, then the message loop (Run), then ExitInstance, whose result is the
// exit code. InitInstance returning FALSE ends start-up (ExitInstance still runs); returning TRUE
// without a main window ends the program at once.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/WinThread.h"
#include "platform/framework/Wnd.h"
#include "platform/text/CString.h"

class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)

public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    // Ends at once (WM_QUIT is posted) when there is no main window.
    int Run() override;
    // Idle count 0 is the update-UI pass and 1 frees temporary objects; there is no more work
    // after that until the next message.
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;

    // Takes ownership of the template; the first one serves new documents.
    void AddDocTemplate(CDocTemplate* pTemplate);
    virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FileNew: ID_FILE_NEW through the command map (OnFileNew when nothing handles it); FALSE
    // when no main window results. FileNothing does nothing; anything else fails.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Records the registry key and makes the application name the profile name.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // The recently-used file list, which nothing here shows, is not kept.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    // The look of controls does not depend on it here.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    HICON LoadIcon(LPCSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCSTR lpszIconName) const;
    HCURSOR LoadCursor(LPCSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const;

    // The framework's commands, for the application's message map.
    afx_msg void OnFileNew();
    // There is no file-open dialog here; the programs handle ID_FILE_OPEN in their frames.
    afx_msg void OnFileOpen();
    // There is no printer set-up here.
    afx_msg void OnFilePrintSetup();
    // Closes the main window.
    afx_msg void OnAppExit();

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;

    // Start-up (AfxWinMain) fills the handles, the command line and the names.
    void SetCurrentHandles(HINSTANCE hInstance, LPCSTR lpCmdLine, int nCmdShow);

private:
    std::vector<std::unique_ptr<CDocTemplate>> templates_;
    CString appName_;
    CString exeName_;
    CString registryKey_;
    CString profileName_;
    std::string commandLine_;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCSTR AfxGetAppName();

// Runs the application object: start-up of the platform (screen, link between programs,
// database classes), InitApplication, InitInstance, Run or ExitInstance, and the end (pictures
// at exit, the main window destroyed, the link closed). The exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
