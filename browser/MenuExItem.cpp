#include "browser/MenuExItem.h"

#include "browser/MenuEx.h"

MenuExItem::MenuExItem() = default;
MenuExItem::~MenuExItem() = default;
