// Writes a store as a language file of the current version, in memory.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include "localisation/code_page.h"
#include "localisation/language_file_format.h"

class TCompInfo;
class TFormInfo;
class TFormList;
class TItemString;

class LanguageFileWriter {
public:
    explicit LanguageFileWriter(const TFormList& store);

    // The file's bytes; empty, with `error` set, when a reader would reject the result.
    QByteArray Write(const QString& file_name, QString& error);

private:
    // Records without a name or without any text are left out of the file.
    static bool Written(const TCompInfo* record);
    bool CheckLimits(QString& error) const;
    void WriteForm(const TFormInfo* form);
    void WriteComponent(const TCompInfo* record);
    quint32 Reference(const TCompInfo* record, int slot, bool with_accel) const;

    void WriteWord(quint32 value);
    void WriteShortString(const QByteArray& bytes);
    void WriteName(const QString& name);

    const TFormList& store_;
    TCodePage code_page_;
    QHash<const TItemString*, int> numbers_;
    QByteArray out_;
};
