// The first start of this version: the marker file data\first.dat, whose absence means a first
// run, and the welcome question that the main frame asks shortly after its first page opened.
#pragma once

#include "platform/base/WinTypes.h"

class CWnd;

class CFirstRun {
public:
    // The frame's timer that asks the welcome question, and its delay in milliseconds.
    static constexpr UINT_PTR kWelcomeTimer = 6;
    static constexpr UINT kWelcomeDelay = 200;
    // The command that opens the options dialog.
    static constexpr UINT kOptionsCommand = 1022;

    // When data\first.dat is missing: creates it empty and starts the welcome timer on the frame,
    // which then asks the welcome question. TRUE on a first run.
    static BOOL Check(CWnd& frame);
    // Stops the welcome timer and asks whether to set the options now; Yes sends the frame the
    // options command.
    static void AskWelcome(CWnd& frame);

private:
    // The frame's timer message is dispatched here, so that no frame has to route it.
    static void OnWelcomeTimer(HWND frame, UINT message, UINT_PTR id, DWORD time);
};
