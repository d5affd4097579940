#include "controls/MainMenu.h"

const TClassInfo& TMainMenu::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TMainMenu",
        .Parent = &TComponent::StaticClassInfo(),
        .Create = ConstructComponent<TMainMenu>,
    };
    return info;
}

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
