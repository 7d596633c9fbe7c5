#include "widgets/t_strings.h"

void TStrings::Assign(const QStringList& texts) {
    BeginUpdate();
    Clear();
    for (const QString& text : texts)
        Add(text);
    EndUpdate();
}

QStringList TStrings::ToStringList() const {
    QStringList texts;
    for (int i = 0; i < Count(); ++i)
        texts.append(Strings(i));
    return texts;
}

int TStrings::IndexOf(const QString& text) const {
    for (int i = 0; i < Count(); ++i) {
        if (Strings(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TStrings::BeginUpdate() {
    if (update_count_++ == 0)
        UpdatingChanged(true);
}

void TStrings::EndUpdate() {
    if (update_count_ > 0 && --update_count_ == 0)
        UpdatingChanged(false);
}

QString TStringList::Strings(int index) const {
    return index >= 0 && index < strings_.size() ? strings_.at(index) : QString();
}

void TStringList::SetStrings(int index, const QString& text) {
    if (index < 0 || index >= strings_.size())
        return;
    strings_[index] = text;
    Notify();
}

void TStringList::Insert(int index, const QString& text) {
    strings_.insert(qBound(0, index, Count()), text);
    Notify();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= strings_.size())
        return;
    strings_.removeAt(index);
    Notify();
}

void TStringList::Clear() {
    strings_.clear();
    Notify();
}

void TStringList::UpdatingChanged(bool updating) {
    if (!updating)
        emit Changed();
}

void TStringList::Notify() {
    if (!Updating())
        emit Changed();
}
