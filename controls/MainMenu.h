#pragma once

#include "controls/Menus.h"

// A form's menu bar: its items are the bar's entries, each holding its drop-down menu as its
// own items. The form it is the Menu of puts it on its window, clicks the item chosen, keeps the
// items' check marks and enabled states on it, and takes the items' shortcuts as its
// accelerators.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // A menu bar of the items, owned by the caller (a window frees its menu with itself).
    HMENU MakeHandle() const { return Root().MakeHandle(TMenuKind::Bar); }
};
