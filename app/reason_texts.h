// The reasons the picture files give when a page picture cannot be used ("x.png is 128 x 128; a page
// picture is 256 x 256"), shown in the user's language. The picture layer words them in English; a
// reason is matched against the English patterns here and said again through the translated pattern,
// with what was filled in (files, numbers, a further reason) carried over.
#pragma once

#include <QString>
#include <QStringList>

// The English patterns, in the order of the hidden list ReasonTexts.
QStringList ReasonTextPatterns();

// `reason` through the pattern of `translated` (one per English pattern) that it matches, its filled-in
// parts translated in turn; the reason itself when no pattern matches.
QString TranslatedReason(const QString& reason, const QStringList& translated);
