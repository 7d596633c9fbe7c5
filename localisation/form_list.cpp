#include "localisation/form_list.h"

#include "widgets/t_form.h"

TFormList::~TFormList() {
    Clear();
}

TFormInfo* TFormList::AddForm(TForm* form) {
    auto* record = new TFormInfo(this);
    Forms.append(record);
    record->Bind(form);
    return record;
}

void TFormList::RemoveForm(TFormInfo* record) {
    if (Forms.contains(record))
        delete record; // leaves Forms by itself
}

void TFormList::Clear() {
    while (!Forms.isEmpty())
        delete Forms.last();
    // Records release their texts, so nothing should be left; an orphan would be a leak.
    qDeleteAll(Strings);
    Strings.clear();
    index_.clear();
}

TFormInfo* TFormList::FindForm(const TForm* form) const {
    for (TFormInfo* record : Forms) {
        if (form && record->BoundForm() == form)
            return record;
    }
    return nullptr;
}

TFormInfo* TFormList::FindFormClass(const QString& class_name) const {
    for (TFormInfo* record : Forms) {
        if (record->ClassName == class_name)
            return record;
    }
    return nullptr;
}

TCompInfo* TFormList::FindMatch(const TCompInfo* record) const {
    if (!record || !record->Form)
        return nullptr;
    for (TFormInfo* form : Forms) {
        if (form->Name == record->Name && form->ClassName == record->ClassName)
            return form;
        for (TCompInfo* component : form->Components) {
            if (component->Form->Name == record->Form->Name && component->Name == record->Name)
                return component;
        }
    }
    return nullptr;
}

bool TFormList::Owns(const TCompInfo* record) const {
    for (const TFormInfo* form : Forms) {
        if (form == record || form->Components.contains(const_cast<TCompInfo*>(record)))
            return true;
    }
    return false;
}

bool TFormList::PurgeAbsent(bool with_forms) {
    bool removed = false;
    QList<TFormInfo*> absent;
    for (TFormInfo* form : std::as_const(Forms)) {
        if (!form->BoundForm())
            absent.append(form);
    }
    if (with_forms) {
        removed = !absent.isEmpty();
        qDeleteAll(absent);
    }
    for (TFormInfo* form : std::as_const(Forms)) {
        if (absent.contains(form))
            continue;
        const QList<TCompInfo*> components = form->Components;
        for (TCompInfo* component : components) {
            if (!component->Control) {
                delete component;
                removed = true;
            }
        }
    }
    return removed;
}

TItemString* TFormList::FindString(const QString& text) const {
    return index_.value(text, nullptr);
}

TItemString* TFormList::AddString(const QString& text) {
    auto* string = new TItemString(this, text);
    Strings.append(string);
    if (!index_.contains(string->Text)) // a text held already keeps its first string
        index_.insert(string->Text, string);
    return string;
}

void TFormList::DeleteString(TItemString* string) {
    Strings.removeOne(string);
    Unindex(string, string->Text);
    delete string;
}

void TFormList::Unindex(TItemString* string, const QString& text) {
    const auto entry = index_.constFind(text);
    if (entry == index_.cend() || entry.value() != string)
        return;
    index_.erase(entry);
    for (TItemString* other : std::as_const(Strings)) {
        if (other != string && other->Text == text) {
            index_.insert(text, other);
            break;
        }
    }
}

void TFormList::StringRenamed(TItemString* string, const QString& old_text) {
    if (old_text == string->Text)
        return;
    Unindex(string, old_text);
    TItemString*& first = index_[string->Text];
    if (!first || Strings.indexOf(string) < Strings.indexOf(first))
        first = string;
}

int TFormList::StringNumber(const TItemString* string) const {
    return string ? static_cast<int>(Strings.indexOf(const_cast<TItemString*>(string))) + 1 : 0;
}
