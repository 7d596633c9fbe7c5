// What the main window says about a name before it opens or writes a file: a folder is no file, and a
// level saved under a name that is not one of its kind's extensions is saved only when the user says so.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/main_window.h"
#include "level/level_file_names.h"
#include "widgets/platform.h"

bool TForm1::RefuseFolder(const QString& path) {
    if (!QFileInfo(path).isDir())
        return false;
    CurrentPlatform().ShowMessage(this,
                                  FileTexts.Text(FileNameText::folder).arg(QDir::toNativeSeparators(path)));
    return true;
}

// A bare name takes the first extension of the level's kind; any other name that is not one of its
// kind's extensions is kept only when the user says so. Empty when the user declined.
QString TForm1::LevelSaveName(const QString& chosen) {
    const std::int32_t kind = doc_.Level().kind;
    const std::string name = QFile::encodeName(chosen).toStdString();
    const auto usual = pw::UsualExtensions(kind);
    if (usual.empty() || pw::HasUsualExtension(name, kind))
        return chosen;
    if (pw::LowerExtension(name).empty())
        return chosen + QString::fromStdString(usual.front());
    // One call fills both placeholders, so a name holding "%2" stays as it is.
    const QString question = FileTexts.Text(FileNameText::unusual_level_name)
                                 .arg(QFileInfo(chosen).fileName(), QString::fromStdString(usual.front()));
    return CurrentPlatform().Ask(this, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? chosen
               : QString();
}
