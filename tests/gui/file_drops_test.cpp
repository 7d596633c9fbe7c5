// Files dropped on the main window: a level anywhere opens as the level, a level or picture on the
// source view opens as the texture source, a folder is said to be one, anything else is refused with the
// wrong-file message.
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app_fixture.h"

namespace {

class FileDropsTest : public AppTest {
protected:
    // Drags `path` over the window and drops it at `where` (window coordinates); whether the window
    // took the drag.
    bool Drop(const QString& path, QPoint where) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form1, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(where), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Form1, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
    QPoint OnSourceView() const {
        return Form1->Control<TGroupBox>("GroupBox2")
            ->mapTo(Form1, Form1->Control<TGroupBox>("GroupBox2")->rect().center());
    }
    QPoint OnLevelView() const {
        return Form1->Control<TGroupBox>("GroupBox1")
            ->mapTo(Form1, Form1->Control<TGroupBox>("GroupBox1")->rect().center());
    }
};

} // namespace

TEST_F(FileDropsTest, LevelOnWindowAndLevelOrPictureOnSourceViewOpen) {
    const QString level = WriteLevel(Level(3, 2));
    ASSERT_TRUE(Drop(level, OnLevelView()));
    EXPECT_EQ(Form1->Document().LevelFileName(), level);
    EXPECT_EQ(Form1->Control<TLabel>("Label3")->Caption(), QFileInfo(level).fileName());

    const QString second = WriteLevel(Level(6, 1), "second.tr4");
    ASSERT_TRUE(Drop(second, OnSourceView()));
    EXPECT_EQ(Form1->Document().LevelFileName(), level);
    EXPECT_EQ(Form1->Control<TLabel>("Label4")->Caption(), "second.tr4");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox2")->Items()->Count(), 1);

    QImage picture(256, 512, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString png = Folder() + "/picture.png";
    ASSERT_TRUE(picture.save(png));
    ASSERT_TRUE(Drop(png, OnSourceView()));
    EXPECT_EQ(Form1->Control<TLabel>("Label4")->Caption(), "picture.png");
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox2")->Items()->Count(), 2);
    EXPECT_TRUE(platform_.messages.empty());
}

TEST_F(FileDropsTest, OtherFilesAreRefusedAndTextIsNotTaken) {
    const QString level = WriteLevel(Level(3, 2));
    ASSERT_TRUE(Drop(level, OnLevelView()));
    QImage picture(256, 256, QImage::Format_RGB32);
    const QString png = Folder() + "/picture.png";
    ASSERT_TRUE(picture.save(png));
    const QString text = WriteBytes("notes.txt", pw::fixtures::Bytes(8, 1));

    ASSERT_TRUE(Drop(png, OnLevelView())); // a picture is a source, not a level
    ASSERT_TRUE(Drop(text, OnSourceView()));
    EXPECT_EQ(platform_.MessageTexts(),
              QStringList({"Invalid TR file format!!!", "Invalid TR file format!!!"}));
    EXPECT_EQ(Form1->Document().LevelFileName(), level);
    EXPECT_EQ(Form1->Control<TLabel>("Label4")->Caption(), "None");

    // A folder, named like a level or not, is said to be one.
    for (const QString& name : {QStringLiteral("levels.tr4"), QStringLiteral("pictures")}) {
        platform_.messages.clear();
        QDir(Folder()).mkdir(name);
        ASSERT_TRUE(Drop(Folder() + "/" + name, OnLevelView()));
        EXPECT_EQ(platform_.MessageTexts(), QStringList{Folder() + "/" + name + " is a folder, not a file."});
    }
    // A translation that lost the folder's name gives the English text with it.
    Form1->Control<TListBox>("FileTexts")->Items()->Assign({"Das ist ein Ordner.", "?"});
    platform_.messages.clear();
    ASSERT_TRUE(Drop(Folder() + "/pictures", OnSourceView()));
    EXPECT_EQ(platform_.MessageTexts(), QStringList{Folder() + "/pictures is a folder, not a file."});

    QMimeData words;
    words.setText("page one");
    QDragEnterEvent enter(OnLevelView(), Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form1, &enter);
    EXPECT_FALSE(enter.isAccepted());
}
