// The state and behaviour behind one combo box window.
#pragma once

#include <optional>
#include <string>

#include "platform/windows/WindowStructs.h"

namespace platform {

class ComboBoxControl {
public:
    ComboBoxControl(HWND hwnd, const CREATESTRUCTA& create);
    ComboBoxControl(const ComboBoxControl&) = delete;
    ComboBoxControl& operator=(const ComboBoxControl&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The edit part's messages pass here first; true when the combo box took the message.
    bool FilterEditMessage(UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC EditProcedure() const { return editProcedure_; }
    // While the list is open Enter and Esc close it instead of reaching the dialog's buttons;
    // the box and its edit part both add this to their WM_GETDLGCODE answer.
    LRESULT OpenListDialogCode(LPARAM lParam) const;

private:
    enum class Close { Chosen, Cancelled, ByProgram };

    static constexpr int kEdge = 2;

    DWORD Kind() const;
    bool HasEdit() const { return edit_ != nullptr; }
    bool DropsDown() const;
    LRESULT List(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int Selection() const;
    std::string ItemText(int index) const;
    std::string Text() const;
    // The box shows a text of its own (or its edit part's) rather than the window's.
    bool HasText() const;
    void Notify(int code);
    void FocusNotice(bool focused);

    void Create(const CREATESTRUCTA& create);
    DWORD ListStyle(DWORD comboStyle) const;
    int FieldHeight() const { return fieldItemHeight_ + 6; }
    RECT ButtonRect() const;

    // Puts the text of `index` into the edit part (or repaints the field).
    void ShowSelection(int index);
    void SetEditText(const std::string& text);
    // Lays the edit part and the list over the box's present size.
    void FitParts();
    // Puts the pop-up list below the box, as wide as the box or the dropped width.
    void PlaceDroppedList(UINT flags);
    void Drop();
    void CloseUp(Close how);
    // Selects by the user: updates the field and reports CBN_SELCHANGE when it changed.
    void ChooseByUser(int index);
    bool Key(WPARAM key, bool system);
    void Char(WPARAM character);
    void EditChanged(WORD code);
    LRESULT GetText(WPARAM size, char* buffer) const;
    LRESULT SetText(const char* text);

    // Messages.
    void Destroy();
    void KeepClosedHeight(WINDOWPOS* position);
    LRESULT DeleteString(WPARAM index);
    LRESULT ResetContent();
    LRESULT SetCurrent(WPARAM index);
    LRESULT SelectString(WPARAM after, LPARAM text);
    LRESULT ShowDropDown(bool show);
    LRESULT GetDroppedRect(RECT* rect) const;
    LRESULT SetItemHeight(WPARAM index, LPARAM lParam);
    LRESULT SetDroppedWidth(int width);
    LRESULT DroppedWidth() const;
    LRESULT ToEdit(UINT message, WPARAM wParam, LPARAM lParam,
                   std::optional<LRESULT> answer = std::nullopt) const;
    void SetFont(WPARAM font, LPARAM redraw);
    void Enable(bool enabled);

    // Input.
    void ButtonDown(POINT point);
    void FocusGained();
    void FocusLost(HWND next);
    void PartCommand(HWND from, WORD code);

    void Paint();
    void DrawField(HDC dc, const RECT& field);

    HWND hwnd_;
    HWND parent_;
    UINT id_;
    HWND list_ = nullptr;
    HWND edit_ = nullptr;
    WNDPROC editProcedure_ = nullptr;
    HFONT font_ = nullptr;
    int fieldItemHeight_ = 13;
    int droppedHeight_ = 0;
    int droppedWidth_ = 0;
    int selectionBeforeDrop_ = -1;
    // The selection the parent last heard of while the list is down.
    int reported_ = -1;
    bool dropped_ = false;
    bool focused_ = false;
    bool updatingEdit_ = false;
};

}  // namespace platform
