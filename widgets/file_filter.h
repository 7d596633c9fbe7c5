// File dialog filters are written "description|patterns|description|patterns", the patterns separated
// by semicolons; Qt wants "description (patterns)" entries separated by ";;".
#pragma once

#include <QString>

QString QtFileFilter(const QString& filter);
