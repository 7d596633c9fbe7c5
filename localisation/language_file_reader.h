// Reads a language file held in memory and merges it into a store.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include "localisation/code_page.h"
#include "localisation/language_file_format.h"

class TCompInfo;
class TFormInfo;
class TFormList;

class LanguageFileReader {
public:
    LanguageFileReader(TFormList& store, const QByteArray& bytes) : store_(store), bytes_(bytes) {}

    // False, with the store's error set, at the first fault; what was merged before it stays.
    bool Read();

private:
    struct Reference {
        quint32 number = 0;
        int accel = 0;
        bool is_new = true;
    };

    void FlagEverythingNew();
    bool ReadHeader();
    bool ReadStrings();
    bool ReadForm();
    bool ReadComponents(TFormInfo* form);
    bool ReadComponent(TFormInfo* form);
    bool ReadComponentTexts(TCompInfo* record);
    void StoreText(TCompInfo* record, int slot, quint32 word, bool with_accel);

    bool Fail(const QString& why);
    bool ReadByte(quint8& value);
    bool ReadWord(quint32& value);
    bool ReadCount(int limit, const char* what, int& count);
    bool ReadShortString(QByteArray& bytes);
    bool ReadName(QString& name);

    TFormList& store_;
    const QByteArray& bytes_;
    qsizetype pos_ = 0;
    language_file::Version version_;
    QList<QString> strings_;
    TCodePage code_page_{0}; // the file's, once its header is read
    // The component records of the form being read by name (the first of a name), so that finding
    // one takes constant time.
    QHash<QString, TCompInfo*> components_;
};
