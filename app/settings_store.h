// Regunit: the small settings store of the program. One key is open at a time; a key is an ini file
// of QSettings (user scope, or the folder named by PAGEWRIGHT_CONFIG_DIR), a section is a group, and
// every entry is a string: integers in decimal, booleans "0" or "1".
#pragma once

#include <QString>

// The file that holds the key `key`: "<key>.ini" in $PAGEWRIGHT_CONFIG_DIR when that is set, else in
// the user's configuration folder ($XDG_CONFIG_HOME, ~/.config, or the platform's equivalent).
QString SettingsFilePath(const QString& key);

// Closes the open key if there is one, then opens `key` (created on the first write). A key whose file
// is no regular file stays closed.
void SettingsOpen(const QString& key);
// Removes every entry of the open key, so that the file keeps only what is written afterwards.
void SettingsClear();
// Writes the open key to its file and closes it.
void SettingsClose();
bool SettingsIsOpen();

// With no key open a write does nothing and a read returns its default.
void WriteBoolSetting(const QString& section, const QString& entry, bool value);
void WriteIntSetting(const QString& section, const QString& entry, int value);
void WriteStringSetting(const QString& section, const QString& entry, const QString& value);
// The entry read as a decimal integer, true when not 0; false when missing or not a number.
bool ReadBoolSetting(const QString& section, const QString& entry);
// The decimal value; 0 when missing, not a number or out of the range of int.
int ReadIntSetting(const QString& section, const QString& entry);
// The decimal value into `value`; false (and `value` unchanged) when missing, not a whole number or
// out of the range of int.
bool TryReadIntSetting(const QString& section, const QString& entry, int& value);
// The string; empty when missing.
QString ReadStringSetting(const QString& section, const QString& entry);
