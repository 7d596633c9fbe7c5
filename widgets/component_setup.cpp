#include "widgets/component_setup.h"

#include <QWidget>

#include "widgets/t_form.h"

void SetUpComponent(QObject* component, TForm* owner, const QString& name) {
    component->setObjectName(name);
    if (owner)
        owner->InsertComponent(component);
}

void ShowHint(QWidget* control, const QString& hint) {
    control->setToolTip(hint.section(QLatin1Char('|'), 0, 0));
}
