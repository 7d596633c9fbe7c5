#include "widgets/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>

#include "widgets/file_filter.h"

namespace {

// Message boxes carry the program's name.
QString BoxTitle() {
    return QStringLiteral("Pagewright");
}

} // namespace

void QtPlatform::ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, BoxTitle(), text);
}

void QtPlatform::ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, BoxTitle(), text);
}

QMessageBox::StandardButton QtPlatform::Ask(QWidget* parent, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton default_button) {
    return QMessageBox::question(parent, BoxTitle(), text, buttons, default_button);
}

std::optional<int> QtPlatform::AskNumber(QWidget* parent, const QString& title, const QString& label,
                                         int value, int minimum, int maximum) {
    bool ok = false;
    const int number = QInputDialog::getInt(parent, title, label, value, minimum, maximum, 1, &ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<QString> QtPlatform::OpenFileName(QWidget* parent, const FileDialogRequest& request) {
    const QString path = QFileDialog::getOpenFileName(parent, request.title, request.initial_folder,
                                                      QtFileFilter(request.filter));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtPlatform::FolderName(QWidget* parent, const FileDialogRequest& request) {
    const QString path = QFileDialog::getExistingDirectory(parent, request.title, request.initial_folder);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtPlatform::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.title, request.initial_folder, QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A typed name without an extension takes the one of the type chosen last, when the type has just
    // one; asked again at the end for dialogs that do not report every change of type.
    const auto follow_type = [&](const QString& entry) {
        dialog.setDefaultSuffix(TypedNameSuffix(entry, request.default_suffix));
    };
    follow_type(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow_type);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    follow_type(dialog.selectedNameFilter());
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

void QtPlatform::SetBusyCursor(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QString QtPlatform::ClipboardText() {
    return QApplication::clipboard()->text();
}

void QtPlatform::SetClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}
