#include "widgets/t_menu_item.h"

#include <QAction>
#include <QMenu>

#include "widgets/component_setup.h"
#include "widgets/t_form.h"

TMenuItem::TMenuItem(TForm* owner, const QString& name) : QObject(owner), action_(new QAction(this)) {
    SetUpComponent(this, owner, name);
    // The shortcut works whenever the window is active, whether or not its menu is open.
    if (owner)
        owner->addAction(action_);
    connect(action_, &QAction::triggered, this, &TMenuItem::Click);
}

TMenuItem::~TMenuItem() {
    delete submenu_;
}

void TMenuItem::SetCaption(const QString& caption) {
    caption_ = caption;
    const bool separator = caption == QLatin1String("-");
    action_->setSeparator(separator);
    // Some styles write a separator's text into its line.
    action_->setText(separator ? QString() : caption);
}

void TMenuItem::SetHint(const QString& hint) {
    hint_ = hint;
    action_->setStatusTip(hint.section(QLatin1Char('|'), 0, 0));
}

QKeySequence TMenuItem::ShortCut() const {
    return action_->shortcut();
}

void TMenuItem::SetShortCut(const QKeySequence& shortcut) {
    action_->setShortcut(shortcut);
}

bool TMenuItem::Enabled() const {
    return action_->isEnabled();
}

void TMenuItem::SetEnabled(bool enabled) {
    action_->setEnabled(enabled);
}

QMenu* TMenuItem::Submenu() {
    if (!submenu_) {
        submenu_ = new QMenu;
        action_->setMenu(submenu_);
    }
    return submenu_;
}

void TMenuItem::Add(TMenuItem* item) {
    items_.append(item);
    Submenu()->addAction(item->Action());
}

void TMenuItem::Click() {
    if (Enabled() && OnClick)
        OnClick();
}
