#include "widgets/scripted_platform.h"

#include <algorithm>

ScriptedPlatform::ScriptedPlatform() : replaced_(InstallPlatform(this)) {}

ScriptedPlatform::~ScriptedPlatform() {
    InstallPlatform(replaced_);
}

void ScriptedPlatform::ShowMessage(QWidget*, const QString& text) {
    messages.push_back({MessageKind::Message, text});
}

void ScriptedPlatform::ShowError(QWidget*, const QString& text) {
    messages.push_back({MessageKind::Error, text});
}

QMessageBox::StandardButton ScriptedPlatform::Ask(QWidget*, const QString& text,
                                                  QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton default_button) {
    messages.push_back({MessageKind::Question, text, default_button});
    if (!answers.empty()) {
        const QMessageBox::StandardButton answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
}

std::optional<int> ScriptedPlatform::AskNumber(QWidget*, const QString& title, const QString& label, int,
                                               int minimum, int maximum) {
    messages.push_back({MessageKind::Question, title + u'\n' + label});
    number_ranges.emplace_back(minimum, maximum);
    if (number_answers.empty())
        return std::nullopt;
    const int answer = std::clamp(number_answers.front(), minimum, maximum);
    number_answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedPlatform::OpenFileName(QWidget*, const FileDialogRequest& request) {
    dialogs.push_back({false, request});
    return NextFileAnswer();
}

std::optional<QString> ScriptedPlatform::FolderName(QWidget*, const FileDialogRequest& request) {
    dialogs.push_back({false, request});
    return NextFileAnswer();
}

std::optional<QString> ScriptedPlatform::SaveFileName(QWidget*, const FileDialogRequest& request) {
    dialogs.push_back({true, request});
    return NextFileAnswer();
}

void ScriptedPlatform::SetBusyCursor(bool on) {
    if (on == busy)
        return;
    busy = on;
    cursor_changes.push_back(on);
}

QStringList ScriptedPlatform::MessageTexts() const {
    QStringList texts;
    for (const Message& message : messages)
        texts.append(message.text);
    return texts;
}

std::optional<QString> ScriptedPlatform::NextFileAnswer() {
    const QString path = file_answers.empty() ? QString() : file_answers.front();
    if (!file_answers.empty())
        file_answers.pop_front();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
