// Pages out to a folder and back, and a page edited in another program: the "editor" here rewrites the
// file the way many do, writing a new file and renaming it over the old one.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include "app_fixture.h"
#include "document/level_document.h"
#include "level/page_access.h"
#include "level/page_picture.h"
#include "pictures/page_folder.h"
#include "texture_windows/page_map_window.h"

namespace {

class OutsideEditingTest : public AppTest {
protected:
    void SetUp() override {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(Folder() + QStringLiteral("/cache")));
        AppTest::SetUp();
        OpenThroughMenu(WriteLevel(Level(3)));
        ASSERT_TRUE(Form1->Document().HasLevel());
    }
    pw::Bytes Page(int page) const {
        const auto& level = Form1->Document().Level();
        const auto bytes = pw::PageSpan(level, pw::PageDepth::bits16, page);
        pw::Bytes out(bytes.begin(), bytes.end());
        const auto bytes8 = pw::PageSpan(level, pw::PageDepth::bits8, page);
        out.insert(out.end(), bytes8.begin(), bytes8.end());
        return out;
    }
    // Saves `picture` beside `path` and renames it over `path`.
    static void ReplaceFile(const QImage& picture, const QString& path) {
        const QString temporary = path + QStringLiteral(".saving.png");
        ASSERT_TRUE(picture.save(temporary, "PNG"));
        ASSERT_EQ(std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()),
                  0);
    }
    static void ReplaceFile(const QByteArray& bytes, const QString& path) {
        QFile file(path + QStringLiteral(".saving"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ASSERT_EQ(
            std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()),
            0);
    }
};

} // namespace

TEST_F(OutsideEditingTest, EachSavedChangeIsOneStepAndUndoes) {
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("true")); // an editor that opens nothing
    outside.SetSettleTime(100);
    Form1->ShowLevelPage(1);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    const QString path = outside.PagePath(1);
    ASSERT_TRUE(QFile::exists(path));
    const pw::Bytes page0 = Page(0), page1 = Page(1);

    QSignalSpy taken(&outside, &OutsideEditing::PageTaken);
    QImage picture(path);
    picture.setPixel(5, 5, qRgba(255, 0, 0, 255));
    ReplaceFile(picture, path);
    picture.setPixel(6, 5, qRgba(0, 0, 255, 255));
    ReplaceFile(picture, path); // saved twice in a row
    ASSERT_TRUE(taken.wait(10000));
    outside.CheckPage(1); // whatever the timing, the page now shows the last save
    const auto shown = pw::PagePictureArgb(Form1->Document().Level(), 1, pw::PagePictureDepth::shown);
    EXPECT_EQ(shown[5 * 256 + 6] & 0xF8F8F8u, 0x0000F8u);
    EXPECT_EQ(Form1->Control<TMenuItem>("Undo1")->Caption(), "&Undo Edit page 2 outside");
    EXPECT_TRUE(Page(0) == page0);
    EXPECT_FALSE(Page(1) == page1);

    while (Form1->Document().History().canUndo())
        Form1->Control<TMenuItem>("Undo1")->Action()->trigger();
    EXPECT_TRUE(Page(1) == page1);

    // A picture that cannot be used: said once, the page unchanged.
    ReplaceFile(QByteArray("not a picture"), path);
    QSignalSpy refused(&outside, &OutsideEditing::PictureRefused);
    ASSERT_TRUE(refused.wait(10000));
    outside.CheckPage(1);
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(Page(1) == page1);
    // The status bar's word about it goes once a good picture is taken.
    EXPECT_FALSE(Form1->statusBar()->currentMessage().isEmpty());
    ReplaceFile(picture, path);
    outside.CheckPage(1);
    EXPECT_FALSE(Page(1) == page1);
    EXPECT_TRUE(Form1->statusBar()->currentMessage().isEmpty());

    // Several pages at once; closing the level ends the watch and removes the working files.
    Form1->ShowLevelPage(2);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    EXPECT_TRUE(outside.Watching(1) && outside.Watching(2));
    const QString folder = outside.WorkingFolder();
    Form1->Document().CloseLevel();
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_FALSE(outside.Watching(1));
}

TEST_F(OutsideEditingTest, PagesGoToAFolderAndComeBackAsOneStep) {
    const QString folder = Folder() + QStringLiteral("/pages");
    platform_.file_answers.push_back(folder);
    Form1->Control<TMenuItem>("ExportPages1")->Action()->trigger();
    const QString level = Form1->Document().LevelFileName();
    const QString page2 = QDir(folder).filePath(PagePictureName(level, 2));
    ASSERT_TRUE(QFile::exists(page2));
    QImage picture(page2);
    picture.setPixel(0, 0, qRgba(10, 200, 30, 255));
    ASSERT_TRUE(picture.save(page2));
    const pw::Bytes page0 = Page(0);
    platform_.file_answers.push_back(folder);
    Form1->Control<TMenuItem>("ImportPages1")->Action()->trigger();
    EXPECT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    EXPECT_EQ(Form1->Document().History().count(), 1);
    EXPECT_EQ(Form1->Control<TMenuItem>("Undo1")->Caption(), "&Undo Import pages");
    EXPECT_TRUE(Page(0) == page0);
}

namespace {

// Edit Page Outside against a document alone, its working folders under a folder of the test.
class OutsideFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString level = QString::fromStdString(dir_.File("files.phd"));
        pw::fixtures::LevelDescription description = pw::fixtures::MakeLevel(1);
        description.num_pages = 2;
        description.pages8 = pw::fixtures::Pattern(2 * 65536, 7);
        pw::fixtures::WriteFile(level.toStdString(), pw::fixtures::BuildLevel(description));
        ASSERT_EQ(doc_.Open(level, nullptr), pw::Status::done);
        outside_ = std::make_unique<OutsideEditing>(doc_, nullptr, Root());
        outside_->SetSettleTime(100);
    }
    QString Root() const { return QString::fromStdString(dir_.File("outside")); }
    QString Path(const std::string& name) const { return QString::fromStdString(dir_.File(name)); }
    pw::Bytes Pages() const { return doc_.Level().pages8; }
    // The page picture with one pixel painted, saved as `path`.
    void SavePainted(int page, const QString& path) {
        QImage picture(outside_->PagePath(page));
        picture.setPixel(3, 4, qRgb(250, 10, 10));
        ASSERT_TRUE(picture.save(path, "PNG"));
    }
    static void Replace(const QString& from, const QString& to) {
        ASSERT_EQ(std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()), 0);
    }

    pw::fixtures::TempDir dir_;
    LevelDocument doc_;
    std::unique_ptr<OutsideEditing> outside_;
};

} // namespace

// A link, a pipe or a device in the picture's place is refused at once, and what it names is never read.
TEST_F(OutsideFilesTest, OnlyARegularFileIsRead) {
    ASSERT_EQ(outside_->Start(0), pw::Status::done);
    const QString path = outside_->PagePath(0);
    const pw::Bytes before = Pages();
    SavePainted(0, Path("painted.png"));
    QSignalSpy refused(outside_.get(), &OutsideEditing::PictureRefused);
    QSignalSpy taken(outside_.get(), &OutsideEditing::PageTaken);
    const auto plant = [&](const std::function<int(const char*)>& make) {
        QFile::remove(path);
        ASSERT_EQ(make(QFile::encodeName(path).constData()), 0);
        outside_->CheckPage(0);
    };
    plant([&](const char* at) { return symlink(QFile::encodeName(Path("painted.png")).constData(), at); });
    plant([](const char* at) { return symlink("/dev/zero", at); });
    plant([](const char* at) { return mkfifo(at, 0600); });
    EXPECT_EQ(taken.count(), 0);
    ASSERT_EQ(refused.count(), 3);
    EXPECT_TRUE(refused.at(2).at(1).toString().contains(QStringLiteral("not a regular file")));
    EXPECT_TRUE(Pages() == before);
    // The same picture as a file of its own is taken, and a message names the file, not a descriptor.
    QFile::remove(path);
    QFile::copy(Path("painted.png"), path);
    outside_->CheckPage(0);
    EXPECT_EQ(taken.count(), 1);
    QFile(path).resize(100);
    outside_->CheckPage(0);
    ASSERT_EQ(refused.count(), 4);
    EXPECT_TRUE(refused.at(3).at(1).toString().contains(path))
        << refused.at(3).at(1).toString().toStdString();
}

// A working folder that cannot be made is said, naming it; nothing is written or watched.
TEST_F(OutsideFilesTest, AFolderThatCannotBeMadeIsSaid) {
    pw::fixtures::WriteFile(Root().toStdString(), pw::Bytes{'x'});
    const pw::Result started = outside_->Start(0);
    EXPECT_EQ(started, pw::Status::file_error);
    EXPECT_NE(started.reason.find(Root().toStdString()), std::string::npos) << started.reason;
    EXPECT_FALSE(outside_->Watching(0));
}

// Each run has a private folder of its own; only what the program wrote goes, and a folder swapped for
// a link loses nothing.
TEST_F(OutsideFilesTest, TheWorkingFolderHoldsOnlyWhatTheProgramWrote) {
    OutsideEditing other(doc_, nullptr, Root());
    ASSERT_EQ(outside_->Start(0), pw::Status::done);
    ASSERT_EQ(other.Start(0), pw::Status::done);
    const QString path = outside_->PagePath(0);
    const QString folder = outside_->WorkingFolder();
    EXPECT_NE(folder, other.WorkingFolder());
    // Named so that a later run knows it for this run's: the process id and twelve random letters.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1-[0-9a-f]{12}$").arg(getpid()))
                    .match(QFileInfo(folder).fileName())
                    .hasMatch())
        << folder.toStdString();
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    QFile(QDir(folder).filePath(QStringLiteral("page.xcf"))).open(QIODevice::WriteOnly);
    QSignalSpy left(outside_.get(), &OutsideEditing::FilesLeft);
    outside_->Stop();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("page.xcf"))));
    ASSERT_EQ(left.count(), 1);
    EXPECT_EQ(left.at(0).at(0).toString(), folder);
    EXPECT_TRUE(QFile::exists(other.PagePath(0)));

    // The other run's folder replaced by a link to a folder with a page picture's name in it.
    const QString elsewhere = Path("elsewhere");
    QDir().mkpath(elsewhere);
    const QString kept = QDir(elsewhere).filePath(QFileInfo(other.PagePath(0)).fileName());
    QFile(kept).open(QIODevice::WriteOnly);
    QDir(other.WorkingFolder()).removeRecursively();
    ASSERT_EQ(symlink(QFile::encodeName(elsewhere).constData(),
                      QFile::encodeName(other.WorkingFolder()).constData()),
              0);
    other.Stop();
    EXPECT_TRUE(QFile::exists(kept));
}

// At start-up the folders of runs that are gone lose what those runs wrote; a running one is left alone.
TEST_F(OutsideFilesTest, StaleFoldersOfRunsThatAreGoneAreCleared) {
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    const auto make = [&](pid_t pid, const QString& letters, const QStringList& files) {
        const QString folder = QDir(Root()).filePath(QStringLiteral("%1-%2").arg(pid).arg(letters));
        QDir().mkpath(folder);
        for (const QString& name : files)
            QFile(QDir(folder).filePath(name)).open(QIODevice::WriteOnly);
        QFile list(QDir(folder).filePath(QStringLiteral(".pagewright-written")));
        list.open(QIODevice::WriteOnly);
        list.write("files_1.png\n../outside\n");
        return folder;
    };
    const QString written = make(gone, QStringLiteral("00000000abcd"), {QStringLiteral("files_1.png")});
    const QString kept =
        make(gone, QStringLiteral("00000000abce"), {QStringLiteral("files_1.png"), QStringLiteral("a.xcf")});
    const QString running = make(getppid(), QStringLiteral("00000000abcf"), {QStringLiteral("files_1.png")});
    QSignalSpy left(outside_.get(), &OutsideEditing::FilesLeft);
    outside_->ClearStaleFolders();
    EXPECT_FALSE(QFileInfo::exists(written));
    EXPECT_FALSE(QFile::exists(QDir(kept).filePath(QStringLiteral("files_1.png"))));
    EXPECT_TRUE(QFile::exists(QDir(kept).filePath(QStringLiteral("a.xcf"))));
    EXPECT_TRUE(QFile::exists(QDir(running).filePath(QStringLiteral("files_1.png"))));
    ASSERT_EQ(left.count(), 1);
    EXPECT_EQ(left.at(0).at(0).toString(), kept);
    EXPECT_TRUE(QFileInfo::exists(Root()));
}

// An editor that writes in pieces, pausing for less than the settle time, raises no alarm. A picture
// that cannot be used is said once, and not again while the message about it is up.
TEST_F(OutsideFilesTest, APictureIsJudgedOnceItHasSettledAndSaidOnce) {
    ASSERT_EQ(outside_->Start(0), pw::Status::done);
    const QString path = outside_->PagePath(0);
    SavePainted(0, Path("painted.png"));
    QFile painted(Path("painted.png"));
    ASSERT_TRUE(painted.open(QIODevice::ReadOnly));
    const QByteArray bytes = painted.readAll();
    QSignalSpy refused(outside_.get(), &OutsideEditing::PictureRefused);
    QSignalSpy taken(outside_.get(), &OutsideEditing::PageTaken);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const qsizetype piece = bytes.size() / 5 + 1;
        for (qsizetype at = 0; at < bytes.size(); at += piece) {
            file.write(bytes.mid(at, piece));
            file.flush();
            QTest::qWait(40);
        }
    }
    ASSERT_TRUE(taken.wait(5000));
    EXPECT_EQ(refused.count(), 0);

    int told = 0;
    QObject::connect(outside_.get(), &OutsideEditing::PictureRefused, [&] {
        if (++told > 1)
            return;
        QFile file(path); // saved again while the message is up
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("still not a picture");
        file.close();
        outside_->CheckPage(0);
    });
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("not a picture");
    }
    outside_->CheckPage(0);
    EXPECT_EQ(told, 1);
    ASSERT_TRUE(refused.wait(5000)); // the later content, once the first message is answered
    EXPECT_EQ(told, 2);
}

// An editor command as a user writes it: a program path with spaces, quoted or not, and arguments.
TEST_F(OutsideFilesTest, AnEditorCommandKeepsAProgramPathWithSpaces) {
    QDir().mkpath(Path("my editors"));
    const QString program = Path("my editors/edit.sh");
    {
        QFile script(program);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/arguments\"\n");
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    EXPECT_EQ(OutsideEditing::SplitCommand(program), QStringList{program});
    EXPECT_EQ(OutsideEditing::SplitCommand(program + QStringLiteral(" -n a,b")),
              (QStringList{program, QStringLiteral("-n"), QStringLiteral("a,b")}));
    EXPECT_EQ(OutsideEditing::SplitCommand(QStringLiteral("'%1' -n").arg(program)),
              (QStringList{program, QStringLiteral("-n")}));
    EXPECT_EQ(OutsideEditing::SplitCommand(QStringLiteral("\"%1\" \"two words\"").arg(program)),
              (QStringList{program, QStringLiteral("two words")}));
    EXPECT_EQ(OutsideEditing::SplitCommand(QStringLiteral("  krita  --nosplash ")),
              (QStringList{QStringLiteral("krita"), QStringLiteral("--nosplash")}));

    ASSERT_TRUE(OutsideEditing::Open(Path("page 1.png"), QStringLiteral("%1 -n").arg(program)));
    QFile arguments(Path("my editors/arguments"));
    for (int waited = 0; waited < 5000 && arguments.size() == 0; waited += 20)
        QTest::qWait(20);
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(arguments.readAll()), QStringLiteral("-n\n%1\n").arg(Path("page 1.png")));
}

TEST_F(OutsideEditingTest, AnEditorThatCannotStartIsNamedWithItsSetting) {
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("/no/such/editor --new"));
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    ASSERT_EQ(platform_.messages.size(), 1u);
    const QString text = platform_.messages[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("/no/such/editor --new")) &&
                text.contains(QStringLiteral("Pagewright.ini")) && text.contains(QStringLiteral("command")))
        << text.toStdString();
}

// With the page map on the 32-bit page, that page goes out, alpha and all, and comes back into it.
TEST_F(OutsideEditingTest, TheThirtyTwoBitPageShownInTheMapGoesOutAndBack) {
    OpenThroughMenu(WriteLevel(Level(6)));
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("true"));
    Form1->Control<TMenuItem>("PageMap1")->Action()->trigger();
    PageMap->DepthBox->SetItemIndex(1);
    PageMap->DepthBoxChange();
    ASSERT_EQ(PageMap->DepthShown(), pw::PageDepth::bits32);
    Form1->ShowLevelPage(1);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    const QString path = outside.PagePath(1);
    QImage picture = QImage(path).convertToFormat(QImage::Format_ARGB32);
    const auto stored = pw::PagePictureArgb(Form1->Document().Level(), 1, pw::PagePictureDepth::stored32);
    ASSERT_EQ(stored.size(), 256u * 256u);
    int differing = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            differing += !pw::SamePicturePixel(picture.pixel(x, y), stored[y * 256 + x]);
    EXPECT_EQ(differing, 0);

    picture.setPixel(7, 9, qRgba(200, 100, 50, 128));
    ReplaceFile(picture, path);
    outside.CheckPage(1);
    const auto taken = pw::PagePictureArgb(Form1->Document().Level(), 1, pw::PagePictureDepth::stored32);
    EXPECT_EQ(taken[9 * 256 + 7], 0x80C86432u);
}

// An import whose undo data would pass the history's limit asks first, and is kept without it.
TEST_F(OutsideEditingTest, AnImportPastTheHistoryLimitAsksAndKeepsNoUndoData) {
    Form1->Document().SetHistoryLimit(100000);
    const QString folder = Folder() + QStringLiteral("/pages");
    platform_.file_answers.push_back(folder);
    Form1->Control<TMenuItem>("ExportPages1")->Action()->trigger();
    const QString page2 = QDir(folder).filePath(PagePictureName(Form1->Document().LevelFileName(), 2));
    QImage picture(page2);
    picture.setPixel(0, 0, qRgba(10, 200, 30, 255));
    ASSERT_TRUE(picture.save(page2));
    const pw::Bytes before = Page(2);
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        EXPECT_TRUE(Page(2) == before);
        platform_.file_answers.push_back(folder);
        platform_.answers.push_back(answer);
        Form1->Control<TMenuItem>("ImportPages1")->Action()->trigger();
    }
    ASSERT_EQ(platform_.messages.size(), 2u);
    // Three pages of 64 KB (8-bit) and 128 KB (16-bit) each.
    EXPECT_EQ(platform_.messages[0].text,
              QStringLiteral("This import cannot be undone: keeping it would take 589.8 kB. Import anyway?"));
    EXPECT_FALSE(Page(2) == before);
    EXPECT_EQ(Form1->Document().History().count(), 0);
    EXPECT_TRUE(Form1->Document().IsModified());
}

// Each save that shows something new is one step, however often the picture is saved: the steps are
// counted, not only the last one named.
TEST_F(OutsideEditingTest, OnlySavesThatChangeThePageMakeSteps) {
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("true"));
    Form1->ShowLevelPage(1);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    const QString path = outside.PagePath(1);
    QImage picture(path);
    ASSERT_FALSE(picture.isNull());
    QSignalSpy taken(&outside, &OutsideEditing::PageTaken);
    const auto save = [&](const QImage& image) {
        ReplaceFile(image, path);
        outside.CheckPage(1);
    };
    save(picture); // the same pixels saved again
    EXPECT_EQ(Form1->Document().History().count(), 0);
    picture.setPixel(5, 5, qRgba(255, 0, 0, 255));
    save(picture);
    EXPECT_EQ(Form1->Document().History().count(), 1);
    save(picture); // unchanged since the last save
    EXPECT_EQ(Form1->Document().History().count(), 1);
    picture.setPixel(6, 5, qRgba(0, 0, 255, 255));
    save(picture);
    EXPECT_EQ(Form1->Document().History().count(), 2);
    EXPECT_EQ(taken.count(), 2);
}

// A picture that is gone for a moment (an editor in the middle of replacing it) is waited for: after
// a refused picture, its disappearance is no second refusal, and nothing changes.
TEST_F(OutsideEditingTest, AMissingPictureIsWaitedForNotRefused) {
    OutsideEditing& outside = *Form1->findChild<OutsideEditing*>("OutsideEditing");
    outside.SetCommand(QStringLiteral("true"));
    Form1->ShowLevelPage(1);
    Form1->Control<TMenuItem>("EditPageOutside1")->Action()->trigger();
    QSignalSpy refused(&outside, &OutsideEditing::PictureRefused);
    ReplaceFile(QByteArray("not a picture"), outside.PagePath(1));
    outside.CheckPage(1);
    ASSERT_EQ(refused.count(), 1);
    ASSERT_TRUE(QFile::remove(outside.PagePath(1)));
    outside.CheckPage(1);
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(Form1->Document().History().count(), 0);
}
