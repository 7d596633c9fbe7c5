#include "widgets/program_fonts.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("NanumGothic")});
    QFont::insertSubstitutions(QStringLiteral("MS Serif"),
                               QStringList{QStringLiteral("DejaVu Serif"), QStringLiteral("NanumMyeongjo")});
}
