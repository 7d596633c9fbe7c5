// A test fixture that starts the program's windows as main() does, with scripted desktop services and a
// temporary folder that stands in for the executable's folder (with the shipped readme.txt in it) and
// holds the settings (its "config" subfolder).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include <QFile>
#include <QString>

#include "app/main_window.h"
#include "app/startup.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"
#include "widgets/executable_path.h"
#include "widgets/scripted_platform.h"

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (with_readme_)
            std::filesystem::copy_file(PW_README_PATH, folder_.File("readme.txt"));
        OverrideExecutablePath(QString::fromStdString(folder_.File("pagewright")));
        qputenv("PAGEWRIGHT_CONFIG_DIR", QFile::encodeName(ConfigFolder()));
        CreateApplicationForms();
    }

    void TearDown() override {
        DestroyApplicationForms();
        OverrideExecutablePath({});
    }

    // A level of `kind` with `pages` pages of distinct content in every depth the kind carries.
    static pw::fixtures::LevelDescription Level(int kind, int pages = 3) {
        pw::fixtures::LevelDescription level = pw::fixtures::MakeLevel(kind);
        level.num_pages = pages;
        const auto size = static_cast<std::size_t>(pages);
        if (kind <= 5)
            level.pages8 = pw::fixtures::Pattern(size * 65536, 101);
        if (kind >= 3)
            level.pages16 = pw::fixtures::Pattern(size * 131072, 102);
        if (kind >= 6)
            level.pages32 = pw::fixtures::Pattern(size * 262144, 103);
        return level;
    }

    QString WriteLevel(const pw::fixtures::LevelDescription& level, const std::string& name = {}) {
        const std::string path = folder_.File(name.empty() ? level.FileName() : name);
        pw::fixtures::WriteFile(path, pw::fixtures::BuildLevel(level));
        return QString::fromStdString(path);
    }

    QString WriteBytes(const std::string& name, const pw::fixtures::Bytes& bytes) {
        const std::string path = folder_.File(name);
        pw::fixtures::WriteFile(path, bytes);
        return QString::fromStdString(path);
    }

    // File > Open with the dialog answering `path` (an empty path cancels); unsaved changes are
    // discarded.
    void OpenThroughMenu(const QString& path) {
        if (Form1->Document().IsModified())
            platform_.answers.push_back(QMessageBox::Discard);
        platform_.file_answers.push_back(path);
        Form1->Control<TMenuItem>("OpenLevel1")->Action()->trigger();
    }

    // The paths the File menu's recent-file items show, up to the first item that shows none.
    static QStringList RecentItems() {
        QStringList shown;
        for (const char* name : {"None1", "None2", "None3", "None4", "None5"}) {
            const QString caption = Form1->Control<TMenuItem>(name)->Caption();
            if (caption == "None")
                break;
            shown.append(caption);
        }
        return shown;
    }

    QString Folder() const { return QString::fromStdString(folder_.Path().string()); }
    QString ConfigFolder() const { return Folder() + QStringLiteral("/config"); }

    // Closes the main window as the user does (which saves the settings), then starts the program's
    // windows afresh (which loads them).
    void Restart() {
        if (Form1->Document().IsModified())
            platform_.answers.push_back(QMessageBox::Discard);
        Form1->Close();
        DestroyApplicationForms();
        CreateApplicationForms();
    }

    ScriptedPlatform platform_;
    pw::fixtures::TempDir folder_;
    bool with_readme_ = true;
};
