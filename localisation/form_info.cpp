#include "localisation/form_info.h"

#include "localisation/form_list.h"
#include "widgets/t_form.h"

TFormInfo::TFormInfo(TFormList* list) : TCompInfo(list, this), FormList(list) {}

TFormInfo::~TFormInfo() {
    Bind(nullptr);
    while (!Components.isEmpty())
        delete Components.last(); // leaves the list by itself
    FormList->Forms.removeOne(this);
}

void TFormInfo::Bind(QObject* control) {
    if (control && !qobject_cast<TForm*>(control))
        return;
    Control = control;
    if (!control) {
        for (TCompInfo* component : std::as_const(Components))
            component->Bind(nullptr);
    }
}

TForm* TFormInfo::BoundForm() const {
    return qobject_cast<TForm*>(Control.data());
}

TCompInfo* TFormInfo::AddComponent(QObject* control) {
    auto* record = new TCompInfo(FormList, this);
    Components.append(record);
    record->Bind(control);
    return record;
}

TCompInfo* TFormInfo::FindComponent(const QString& name) const {
    for (TCompInfo* record : Components) {
        if (record->Name == name)
            return record;
    }
    return nullptr;
}

void TFormInfo::RemoveComponent(TCompInfo* record) {
    if (Components.contains(record))
        delete record;
}
