// Binding a store to the live windows: registering and collecting them, applying texts back.
#include "localisation/component_link.h"
#include "localisation/data_captions.h"
#include "localisation/form_list.h"
#include "localisation/property_walk.h"
#include "widgets/t_form.h"

namespace {

// Registers every component that `form` owns under its form record.
void CollectComponents(TFormInfo& record, const TForm& form) {
    for (QObject* component : form.Components()) {
        TCompInfo* child = record.AddComponent(component);
        if (!child->Collect())
            record.RemoveComponent(child);
    }
}

} // namespace

bool TCompInfo::Collect() {
    QObject* component = Control;
    if (!component)
        return false;
    ClassName = QString::fromLatin1(component->metaObject()->className());
    const bool result = !component->objectName().isEmpty() && CollectComponent(*this, component);
    Name = result ? component->objectName() : QString();
    return result;
}

bool TFormInfo::Collect() {
    TForm* form = BoundForm();
    if (!form)
        return false;
    ClassName = QString::fromLatin1(form->metaObject()->className());
    DataCaptionScope texts(form);
    if (form->Caption().isEmpty()) {
        Name.clear();
        return false;
    }
    Name = form->objectName();
    CollectSlotText(SlotCaption, form->Caption(), true);
    CollectComponents(*this, *form);
    return true;
}

void TCompInfo::ApplyTo(QObject* control) {
    TForm* form = Form ? Form->BoundForm() : nullptr;
    if (!control || !form)
        return;
    DataCaptionScope texts(form);
    if (control == form) {
        ApplyComponent(*this, control);
        return;
    }
    if (!form->Components().contains(control))
        return;
    ApplyComponent(*this, control);
    if (QObject* linked = LinkedComponent(form, ComponentTag(control)); linked && linked != control)
        ApplyComponent(*this, linked);
}

void TCompInfo::Apply() {
    TForm* form = Form ? Form->BoundForm() : nullptr;
    if (!form)
        return;
    if (IsFormRecord()) {
        form->update();
        ApplyTo(form);
        return;
    }
    for (QObject* component : form->Components()) {
        if (component->objectName() == Name) {
            ApplyTo(component);
            return;
        }
    }
}

void TFormList::RegisterForms() {
    if (!Forms.isEmpty())
        Clear();
    const QList<TForm*> forms = TForm::Forms();
    for (TForm* form : forms) {
        TFormInfo* record = AddForm(form);
        if (!record->Collect())
            RemoveForm(record);
    }
}

void TFormList::ApplyAll() {
    const QList<TFormInfo*> forms = Forms;
    for (TFormInfo* form : forms) {
        DataCaptionScope texts(form->BoundForm());
        for (TCompInfo* component : std::as_const(form->Components))
            component->Apply();
        form->Apply();
    }
}
