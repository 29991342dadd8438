// "ComboLBox": the list of a combo box, a list box that measures, draws and reports on behalf of
// its combo box. A dropped-down list is a pop-up owned by the combo box that holds the mouse
// capture while it is open.
#pragma once

namespace platform {

void RegisterComboListClass();

}  // namespace platform
