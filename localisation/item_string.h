// TItemString: one distinct text of a translation store, shared by every record slot that shows it.
#pragma once

#include <QList>
#include <QString>

class TCompInfo;
class TFormList;

// Texts are kept to this many characters; language files count it in encoded bytes.
constexpr int MaxTextLength = 255;

class TItemString {
public:
    TItemString(TFormList* owner, const QString& text) : Owner(owner), Text(text.left(MaxTextLength)) {}

    // Gives every user of this text the new one (its ampersand taken out as their accelerator) and
    // shows it in their live components. New flags stay as they are.
    void ReplaceEverywhere(QString new_text);

    TFormList* Owner;
    QString Text;
    // One entry per slot that refers to this text.
    QList<TCompInfo*> Users;
};
