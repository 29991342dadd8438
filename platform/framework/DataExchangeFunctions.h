// The data exchange functions a window's DoDataExchange calls, one per control and member. Each
// moves the value into the control when loading and back into the member when saving; the DDV_
// functions after a DDX_ call check or bound the value that call saved.
//
// Numbers are read strictly: blanks around one decimal number in the type's range (a minus sign
// only for signed types; long keeps the 32-bit range it has on the original platform). Anything
// else shows the framework's prompt in a message box, puts the focus on the edit with its text
// selected and fails the exchange, which keeps the dialog open. The prompts:
// - int and long: "请输入一个整数。"
// - UINT (and DWORD): "请输入一个正整数。"
// - double: "请输入一个数字。"
// - DDV_MinMaxInt: "请输入一个介于 <min> 和 <max> 之间的整数。"
// A dialog that wants lenient reading takes the text as a CString and converts it itself.
#pragma once

#include "platform/framework/DataExchange.h"
#include "platform/text/CString.h"

class CWnd;

// Subclasses the template control nIDC to rControl, once: a member that already has a window
// is left as it is.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Edits (any control's window text for CString). Loading leaves a control whose text is already
// the value untouched, so that it sends no change notification.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// UINT serves DWORD too: they are the same type here, as are int and LONG.
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
// Loads with 15 significant digits.
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// A check box's state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE (anything else loads as
// unchecked).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A group of radio buttons, from nIDC to the next control with WS_GROUP: the index of the checked
// one among the group's radio buttons (other controls in the group do not count), -1 when none is.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// The selection index of a combo box or list box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// The selected item's text. Loading selects the first item that starts with the value (case
// ignored); when none does, a combo box with an edit shows the value as typed and a list box
// loses its selection. Saving reads a combo box's edit text when it has an edit part.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);

// After DDX_Text of an edit or combo box: loading limits the control to nChars characters;
// saving cuts the value to at most nChars bytes at a character boundary, so that a value bound
// for a fixed-size record field of nChars + 1 bytes always fits, even where the control counted
// double-byte characters as one.
void DDV_MaxChars(CDataExchange* pDX, CString& value, int nChars);
// After DDX_Text of an int: saving refuses a value outside minVal..maxVal.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
