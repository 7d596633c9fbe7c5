#include "app/settings_store.h"

#include <memory>

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

std::unique_ptr<QSettings>& OpenKey() {
    static std::unique_ptr<QSettings> key;
    return key;
}

QString EntryPath(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}

} // namespace

QString SettingsFilePath(const QString& key) {
    QString folder = qEnvironmentVariable("PAGEWRIGHT_CONFIG_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(key + QStringLiteral(".ini"));
}

// Only a regular file (or none yet) is a key: a pipe or a device under the key's name would block or
// flood the reader, so such a key stays closed and the program runs on its defaults.
void SettingsOpen(const QString& key) {
    SettingsClose();
    const QString path = SettingsFilePath(key);
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) {
        qWarning("Cannot use the settings %s: it is not a regular file", qPrintable(path));
        return;
    }
    OpenKey() = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

void SettingsClear() {
    if (OpenKey())
        OpenKey()->clear();
}

// A key that cannot be written (a read-only folder) costs only the remembered settings: the program
// goes on, with a note for whoever starts it from a terminal.
void SettingsClose() {
    if (OpenKey()) {
        OpenKey()->sync();
        if (OpenKey()->status() == QSettings::AccessError)
            qWarning("Cannot write the settings to %s", qPrintable(OpenKey()->fileName()));
    }
    OpenKey().reset();
}

bool SettingsIsOpen() {
    return OpenKey() != nullptr;
}

void WriteBoolSetting(const QString& section, const QString& entry, bool value) {
    WriteStringSetting(section, entry, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void WriteIntSetting(const QString& section, const QString& entry, int value) {
    WriteStringSetting(section, entry, QString::number(value));
}

void WriteStringSetting(const QString& section, const QString& entry, const QString& value) {
    if (OpenKey())
        OpenKey()->setValue(EntryPath(section, entry), value);
}

bool ReadBoolSetting(const QString& section, const QString& entry) {
    return ReadIntSetting(section, entry) != 0;
}

int ReadIntSetting(const QString& section, const QString& entry) {
    int value = 0;
    return TryReadIntSetting(section, entry, value) ? value : 0;
}

bool TryReadIntSetting(const QString& section, const QString& entry, int& value) {
    bool ok = false;
    const int read = ReadStringSetting(section, entry).trimmed().toInt(&ok, 10);
    if (ok)
        value = read;
    return ok;
}

QString ReadStringSetting(const QString& section, const QString& entry) {
    if (!OpenKey())
        return {};
    const QVariant value = OpenKey()->value(EntryPath(section, entry));
    // An edited file may hold an unquoted value with commas, which the ini reader splits into a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}
