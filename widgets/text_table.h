// The texts a window fills in while it runs ("Page#%1", "Save changes to %1?"), one table per hidden
// list of the window. `Key` is an enumeration numbering the English patterns in the order of the list,
// which is the order a language file translates them in; a text is read through TranslatedPattern, so a
// translation that lost a placeholder shows the English pattern.
#pragma once

#include <QStringList>

#include "widgets/t_list_box.h"
#include "widgets/translated_pattern.h"

template <typename Key> class TextTable {
public:
    // Makes the hidden list `name` of `owner`, holding the English patterns until a language is applied.
    void Create(TForm* owner, const QString& name, QStringList english) {
        english_ = std::move(english);
        list_ = HiddenTextList(owner, name, english_);
    }

    // The pattern of `key` in the language applied.
    QString Text(Key key) const {
        const int index = static_cast<int>(key);
        return TranslatedPattern(list_, index, english_.value(index));
    }

    // Every pattern, in the order of the keys.
    QStringList Texts() const {
        QStringList texts;
        for (int i = 0; i < english_.size(); ++i)
            texts.append(Text(static_cast<Key>(i)));
        return texts;
    }

    const QStringList& English() const { return english_; }
    // The hidden list the language files translate.
    TListBox* List() const { return list_; }

private:
    QStringList english_;
    TListBox* list_ = nullptr;
};
