// Reaches the travel log (back and forward history) of a page's browser control: fills the back
// and forward drop-down menus, tells whether a direction has entries, and jumps several steps at
// once. The frame keeps one helper and attaches it to the current page's control before each use.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/webcontrol/TravelLogInterfaces.h"

class CMenu;

class CTravelLogHelper {
public:
    // Directions of FillTravelMenu and CanTravel.
    static constexpr int kBack = 0;
    static constexpr int kForward = 1;
    // Menu item k (1 nearest .. 10 farthest) of a direction has the id base + k.
    static constexpr UINT kBackBaseId = 1124;
    static constexpr UINT kForwardBaseId = 1144;
    static constexpr int kMaxMenuItems = 10;
    // Entry titles are cut to this many bytes in the menus.
    static constexpr int kTitleWidth = 80;

    CTravelLogHelper() = default;
    ~CTravelLogHelper();
    CTravelLogHelper(const CTravelLogHelper&) = delete;
    CTravelLogHelper& operator=(const CTravelLogHelper&) = delete;

    // Lets go of the log attached before (which may belong to a closed page), then takes the
    // travel log of `pApplication`, a browser control's application object. Without one, or when
    // it offers no travel log, the helper stays detached.
    void AttachTravelLog(IDispatch* pApplication);
    // Appends up to min(nCount, 10) entries of the direction, nearest first, to pMenu.
    void FillTravelMenu(CMenu* pMenu, int nCount, int nDirection);
    // Moves the control by nOffset entries (negative goes back).
    void TravelTo(int nOffset);
    // 1 when the direction has at least one entry, else 0 (also when detached).
    int CanTravel(int nDirection);

private:
    // Starts a new enumeration of the direction, letting go of the previous one first; false when
    // there is no log or it refuses.
    bool EnumerateEntries(int nDirection);
    void ReleaseEnumeration();
    void ReleaseAll();

    ITravelLogStg* m_pTravelLogStg = nullptr;
    IEnumTravelLogEntry* m_pEnumEntries = nullptr;
    ITravelLogEntry* m_pEntry = nullptr;
};
