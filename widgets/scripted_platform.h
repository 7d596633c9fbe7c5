// Desktop services for tests: every message is recorded instead of shown, file dialogs are answered
// from a queue, the busy cursor and the clipboard are plain state. Nothing here ever blocks.
#pragma once

#include <deque>
#include <utility>
#include <vector>

#include <QStringList>

#include "widgets/platform.h"

class ScriptedPlatform : public Platform {
public:
    enum class MessageKind { Message, Error, Question };
    struct Message {
        MessageKind kind;
        QString text;
        QMessageBox::StandardButton default_button = QMessageBox::NoButton; // questions only
    };
    struct Dialog {
        bool save;
        FileDialogRequest request;
    };

    // Installs itself for its lifetime, restoring the services it replaced afterwards.
    ScriptedPlatform();
    ~ScriptedPlatform() override;
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    QMessageBox::StandardButton
    Ask(QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton default_button = QMessageBox::NoButton) override;
    std::optional<int> AskNumber(QWidget* parent, const QString& title, const QString& label, int value,
                                 int minimum, int maximum) override;
    std::optional<QString> OpenFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> SaveFileName(QWidget* parent, const FileDialogRequest& request) override;
    // Answered from file_answers, recorded among the open dialogs.
    std::optional<QString> FolderName(QWidget* parent, const FileDialogRequest& request) override;
    void SetBusyCursor(bool busy) override;
    QString ClipboardText() override { return clipboard; }
    void SetClipboardText(const QString& text) override { clipboard = text; }

    // The texts of all messages, errors and questions, in order.
    QStringList MessageTexts() const;

    std::vector<Message> messages;
    std::vector<Dialog> dialogs;
    // Answers for the file dialogs in order; an empty path (or an empty queue) cancels.
    std::deque<QString> file_answers;
    // Answers for the questions in order; an empty queue answers Cancel, or No without Cancel.
    std::deque<QMessageBox::StandardButton> answers;
    // Answers for the number questions in order, each clamped to the range asked; an empty queue cancels.
    std::deque<int> number_answers;
    // The range of every number question: {minimum, maximum}.
    std::vector<std::pair<int, int>> number_ranges;
    bool busy = false;
    // Every change of the cursor: true for busy, false for default.
    std::vector<bool> cursor_changes;
    QString clipboard;

private:
    std::optional<QString> NextFileAnswer();

    Platform* replaced_;
};
