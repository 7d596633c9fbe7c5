#include "widgets/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>

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
                                            QMessageBox::StandardButtons buttons) {
    return QMessageBox::question(parent, BoxTitle(), text, buttons);
}

std::optional<QString> QtPlatform::OpenFileName(QWidget* parent, const FileDialogRequest& request) {
    const QString path = QFileDialog::getOpenFileName(parent, request.title, request.initial_folder,
                                                      QtFileFilter(request.filter));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtPlatform::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent, request.title, request.initial_folder, QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.default_suffix);
    // A typed name without an extension takes the one of the chosen type, when the type has just one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& entry) {
        const QString suffix = SingleSuffix(entry);
        dialog.setDefaultSuffix(suffix.isEmpty() ? request.default_suffix : suffix);
    });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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
