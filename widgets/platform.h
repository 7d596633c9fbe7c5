// The desktop services that the windows use: message boxes, file dialogs, the busy cursor and the
// clipboard. The Qt implementation shows real dialogs; tests install a scripted one, so that no test
// ever waits on a modal dialog.
#pragma once

#include <optional>

#include <QMessageBox>
#include <QString>

class QWidget;

struct FileDialogRequest {
    QString title;          // empty: the platform's default title
    QString filter;         // "description|pattern;pattern|description|pattern..."
    QString default_suffix; // added to a typed name without one
    bool confirm_overwrite = false;
    QString initial_folder;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Plain modal message boxes with an OK button.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // A question; the answer is one of `buttons`. Return presses `default_button` (none given: the
    // platform's choice).
    virtual QMessageBox::StandardButton
    Ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton default_button = QMessageBox::NoButton) = 0;

    // A whole number from `minimum` to `maximum`, `value` offered first; nothing when the user cancels.
    virtual std::optional<int> AskNumber(QWidget* parent, const QString& title, const QString& label,
                                         int value, int minimum, int maximum) = 0;

    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // A folder (only the title and the initial folder of the request count).
    virtual std::optional<QString> FolderName(QWidget* parent, const FileDialogRequest& request) = 0;

    // The hourglass over every window of the program, or the default cursor again.
    virtual void SetBusyCursor(bool busy) = 0;

    virtual QString ClipboardText() = 0;
    virtual void SetClipboardText(const QString& text) = 0;
};

// The services in use: the Qt ones unless another implementation was installed.
Platform& CurrentPlatform();
// Installs `platform` (not owned; null returns to the Qt services) and returns the one it replaces.
Platform* InstallPlatform(Platform* platform);

// The busy cursor for the life of the object, or until Release().
class BusyCursor {
public:
    BusyCursor() { CurrentPlatform().SetBusyCursor(true); }
    ~BusyCursor() { Release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void Release() {
        if (active_)
            CurrentPlatform().SetBusyCursor(false);
        active_ = false;
    }

private:
    bool active_ = true;
};
