#include "app/settings_store.h"

#include <memory>

#include <QDir>
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

void SettingsOpen(const QString& key) {
    SettingsClose();
    OpenKey() = std::make_unique<QSettings>(SettingsFilePath(key), QSettings::IniFormat);
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
    bool ok = false;
    const int value = ReadStringSetting(section, entry).trimmed().toInt(&ok, 10);
    return ok ? value : 0;
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
