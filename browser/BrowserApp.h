// What the browser's dialogs ask of the application object. The application class of each
// program built on the browser code base implements it next to its CWinApp base, so that a
// dialog reaches it through AfxGetApp.
#pragma once

class CBrowserApp {
public:
    virtual ~CBrowserApp() = default;

    // Reads data\skin.ini into the program's colour set and rebuilds its brushes; 0.
    virtual int LoadSkin() = 0;
};

// The running application object when it is a browser application, else null.
CBrowserApp* GetBrowserApp();
