#include "widgets/t_main_menu.h"

#include <QMenuBar>

#include "widgets/component_setup.h"
#include "widgets/t_form.h"
#include "widgets/t_menu_item.h"

TMainMenu::TMainMenu(TForm* owner, const QString& name) : QObject(owner), bar_(new QMenuBar) {
    SetUpComponent(this, owner, name);
    // Qt's own menu bar would take the menu away from the window on some desktops.
    bar_->setNativeMenuBar(false);
    owner->setMenuBar(bar_);
}

void TMainMenu::Add(TMenuItem* item) {
    items_.append(item);
    item->Submenu();
    bar_->addAction(item->Action());
}
