#include "app/readme_window.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QVBoxLayout>

#include "widgets/data_files.h"
#include "widgets/executable_path.h"
#include "widgets/platform.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() : TForm(QStringLiteral("Form3")) {
    SetCaption(QStringLiteral("Readme.txt"));
    SetBounds(192, 107, 540, 375);
    Memo1 = new TMemo(this, Client(), QStringLiteral("Memo1"));
    auto* fill = new QVBoxLayout(Client());
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(Memo1);
    Memo1->SetReadOnly(true);
    Memo1->SetTag(-4); // the lines of readme.txt are not for translation
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(15);
    font.setBold(true);
    Memo1->setFont(font);
    FormCreate();
}

// A missing or unreadable file is reported once; the memo stays empty and start-up goes on.
void TForm3::FormCreate() {
    QString path = FindDataFile(QStringLiteral("readme.txt"));
    if (path.isEmpty())
        path = QDir(ExecutableFolder()).filePath(QStringLiteral("readme.txt"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        CurrentPlatform().ShowError(
            nullptr, QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd())
        lines.append(in.readLine());
    Memo1->Lines()->Assign(lines);
    qCInfo(lcDataFiles) << "readme" << path;
}
