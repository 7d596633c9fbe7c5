// The file entry points of a store's language files.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "localisation/form_list.h"
#include "localisation/language_file_reader.h"
#include "localisation/language_file_writer.h"

bool TFormList::LoadFromBytes(const QByteArray& bytes) {
    error_.clear();
    return LanguageFileReader(*this, bytes).Read();
}

bool TFormList::LoadFromFile(const QString& path) {
    error_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Texts the file would give stay flagged new, as after any failed read.
        LoadFromBytes({});
        error_ = QStringLiteral("Cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    return LoadFromBytes(file.readAll());
}

QByteArray TFormList::SaveToBytes(const QString& file_name) {
    error_.clear();
    return LanguageFileWriter(*this).Write(file_name, error_);
}

// Written beside the target and put in its place only when complete.
bool TFormList::SaveToFile(const QString& path) {
    const QByteArray bytes = SaveToBytes(QFileInfo(path).fileName());
    if (bytes.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error_ = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
