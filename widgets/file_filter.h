// File dialog filters are written "description|patterns|description|patterns", the patterns separated
// by semicolons; Qt wants "description (patterns)" entries separated by ";;".
#pragma once

#include <QString>

QString QtFileFilter(const QString& filter);

// The extension of a Qt filter entry that holds a single "*.ext" pattern ("png" for
// "Portable Network Graphics (*.png) (*.png)"); empty for several patterns or a wildcard.
QString SingleSuffix(const QString& qt_entry);

// The extension a save dialog gives a name typed without one: that of the type chosen last (a Qt filter
// entry), or `default_suffix` when that type has several patterns or a wildcard.
QString TypedNameSuffix(const QString& chosen_entry, const QString& default_suffix);
