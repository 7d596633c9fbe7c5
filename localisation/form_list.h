// TFormList: a translation store. It holds one record per window (in registration order, then in file
// order for windows only a language file knew), the string table that their slots share, and the
// language identifier of the last language file read into it.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include "localisation/form_info.h"
#include "localisation/item_string.h"

class TForm;
class TTreeView;

class TFormList {
public:
    TFormList() = default;
    ~TFormList();
    TFormList(const TFormList&) = delete;
    TFormList& operator=(const TFormList&) = delete;

    // A new form record at the end, bound to `form` (may be none).
    TFormInfo* AddForm(TForm* form);
    void RemoveForm(TFormInfo* record);
    // Destroys every record (last first) and empties the string table.
    void Clear();

    // The form record of `form`, or none.
    TFormInfo* FindForm(const TForm* form) const;
    // The first form record whose class name is exactly `class_name`, or none.
    TFormInfo* FindFormClass(const QString& class_name) const;
    // The record of this store that matches `record` of another store, or none.
    TCompInfo* FindMatch(const TCompInfo* record) const;
    // Whether `record` is one of this store's form or component records.
    bool Owns(const TCompInfo* record) const;
    // Destroys component records bound to nothing (and, `with_forms`, form records bound to nothing);
    // whether anything was removed.
    bool PurgeAbsent(bool with_forms);

    // Language files. Loading merges into the store and keeps what was merged before a failure;
    // saving refuses (and writes nothing) when the reader would reject the result.
    bool LoadFromFile(const QString& path);
    bool SaveToFile(const QString& path);
    bool LoadFromBytes(const QByteArray& bytes);
    // The file contents, or an empty array with ErrorString() set when the store exceeds a limit.
    QByteArray SaveToBytes(const QString& file_name);
    // What made the last LoadFromFile or SaveToFile fail.
    QString ErrorString() const { return error_; }

    // Clears the store, then registers every open window in creation order and collects its texts.
    void RegisterForms();
    // Writes the whole store into the registered windows.
    void ApplyAll();

    // The tree view that shows this store: one root node per form record with a node under it for every
    // text of its records, each with its bullet.
    void AttachTree(TTreeView* tree) { Tree = tree; }
    void BuildTree();
    // Drops nodes of records that are gone and shows every other node's text and bullet anew.
    void RefreshTree();

    // The entry for `text` in the string table (the first, should two hold it), or none.
    TItemString* FindString(const QString& text) const;
    TItemString* AddString(const QString& text);
    // Removes `string` from the table and destroys it.
    void DeleteString(TItemString* string);
    // Keeps FindString right after `string`'s text changed from `old_text`.
    void StringRenamed(TItemString* string, const QString& old_text);
    int StringNumber(const TItemString* string) const;

    QList<TFormInfo*> Forms;
    QList<TItemString*> Strings;
    quint16 LangId = 0;
    TTreeView* Tree = nullptr;
    bool Busy = false;

private:
    friend class LanguageFileReader;
    void SetError(const QString& error) { error_ = error; }

    // Drops `string` from the index under `text`, handing the entry to another string that holds it.
    void Unindex(TItemString* string, const QString& text);

    QString error_;
    // Text to the first string of the table that holds it, so that finding a text takes constant time.
    QHash<QString, TItemString*> index_;
};
