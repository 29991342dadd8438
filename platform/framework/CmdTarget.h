// The framework's base of every object that handles messages and commands: it owns a message map
// and routes commands, notifications and update requests to the handler its map names.
#pragma once

#include "platform/framework/CmdUI.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/Object.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;

    // Looks the command up in this object's map and its bases': nCode is CN_COMMAND, a control
    // notification, CN_UPDATE_COMMAND_UI (pExtra the CCmdUI), or MAKELONG(code, WM_NOTIFY) and
    // the reflected forms (pExtra an AFX_NOTIFY). With pHandlerInfo the handler is only reported,
    // not called. FALSE when no entry matches, or when the handler asks for routing to go on.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of the maps, most derived class first, for a window message (registered
    // ones included), or for a command key when nCode or nID is given.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};
