// The desktop services on Qt: real message boxes, file dialogs, the override cursor and the clipboard.
#pragma once

#include "widgets/platform.h"

class QtPlatform : public Platform {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    QMessageBox::StandardButton
    Ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton default_button = QMessageBox::NoButton) override;
    std::optional<int> AskNumber(QWidget* parent, const QString& title, const QString& label, int value,
                                 int minimum, int maximum) override;
    std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> FolderName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
    void SetBusyCursor(bool busy) override;
    QString ClipboardText() override;
    void SetClipboardText(const QString& text) override;

private:
    bool busy_ = false;
};
