// File > Save, Save As, Save Texture to Bitmap and Pages > Add new empty page.
#include <QFile>
#include <QImageReader>

#include "app/progress_window.h"
#include "app_fixture.h"
#include "texture_windows/animated_preview.h"

namespace {

using pw::fixtures::Bytes;
using pw::fixtures::ReadFile;

void PutWord(Bytes& pages16, std::size_t index, std::uint16_t word) {
    pages16[2 * index] = static_cast<std::uint8_t>(word);
    pages16[2 * index + 1] = static_cast<std::uint8_t>(word >> 8);
}

std::uint16_t WordAt(const pw::Ttrlevel& level, std::size_t index) {
    return static_cast<std::uint16_t>(level.pages16[2 * index] | (level.pages16[2 * index + 1] << 8));
}

pw::Ttrlevel Reread(const QString& path) {
    pw::Ttrlevel level;
    EXPECT_EQ(level.LoadLevel(path.toStdString()), pw::Status::done) << path.toStdString();
    return level;
}

class SaveCommandsTest : public AppTest {
protected:
    void Trigger(TMenuItem* item) { item->Action()->trigger(); }
    void SaveAs(const QString& path) {
        platform_.file_answers.push_back(path);
        Trigger(Form1->Control<TMenuItem>("SaveAs1"));
    }
    void Export(const QString& path) {
        platform_.file_answers.push_back(path);
        Trigger(Form1->Control<TMenuItem>("ExporttoImage1"));
    }
    QList<TMenuItem*> LevelCommands() const {
        return {Form1->Control<TMenuItem>("Save1"),
                Form1->Control<TMenuItem>("SaveAs1"),
                Form1->Control<TMenuItem>("AddNewPage1"),
                Form1->Control<TMenuItem>("ExporttoImage1"),
                Form1->Control<TMenuItem>("Copy1"),
                Form1->Control<TMenuItem>("Define64x64textures1"),
                Form1->Control<TMenuItem>("Definemouseselected1"),
                Form1->Control<TMenuItem>("AnimatedTextures1")};
    }
};

} // namespace

TEST_F(SaveCommandsTest, CommandsWaitForALevel) {
    for (TMenuItem* item : LevelCommands())
        EXPECT_FALSE(item->Enabled()) << item->objectName().toStdString();
    platform_.file_answers.push_back(Folder() + "/x.bmp");
    Trigger(Form1->Control<TMenuItem>("ExporttoImage1"));
    Trigger(Form1->Control<TMenuItem>("AddNewPage1"));
    EXPECT_TRUE(platform_.dialogs.empty());
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->Count(), 0);
    platform_.file_answers.clear();

    OpenThroughMenu(WriteLevel(Level(3, 1)));
    for (TMenuItem* item : LevelCommands())
        EXPECT_TRUE(item->Enabled()) << item->objectName().toStdString();

    // A file that is no level leaves the open one, and its commands, as they were.
    OpenThroughMenu(WriteBytes("bad.tr2", Bytes(64, 7)));
    for (TMenuItem* item : LevelCommands())
        EXPECT_TRUE(item->Enabled()) << item->objectName().toStdString();
}

TEST_F(SaveCommandsTest, SaveSetsTheOpaqueFlagOnEveryWordButZero) {
    auto desc = Level(3, 2);
    PutWord(desc.pages16, 0, 0x0000);
    PutWord(desc.pages16, 1, 0x0001);
    PutWord(desc.pages16, 2, 0x7FFF);
    PutWord(desc.pages16, 65536 + 5, 0x1234); // second page
    const QString path = WriteLevel(desc);
    OpenThroughMenu(path);
    Trigger(Form1->Control<TMenuItem>("AddNewPage1")); // an edit: a level saved as opened is written as read

    Trigger(Form1->Control<TMenuItem>("Save1"));

    EXPECT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    EXPECT_EQ(Form5->Caption(), "Saving Level...");
    EXPECT_FALSE(Form5->isVisible());
    EXPECT_FALSE(platform_.busy);
    const pw::Ttrlevel saved = Reread(path);
    EXPECT_EQ(WordAt(saved, 0), 0x0000);
    EXPECT_EQ(WordAt(saved, 1), 0x8001);
    EXPECT_EQ(WordAt(saved, 2), 0xFFFF);
    EXPECT_EQ(WordAt(saved, 65536 + 5), 0x9234);
    // The 8-bit pages are written as they stand.
    EXPECT_EQ(Bytes(saved.pages8.begin(), saved.pages8.begin() + 2 * 65536), desc.pages8);
    // The record in memory stays as it was, as the edit history relies on it.
    EXPECT_EQ(WordAt(Form1->Document().Level(), 1), 0x0001);
}

TEST_F(SaveCommandsTest, SaveAfterSaveAsWritesToTheNewFile) {
    const QString opened = WriteLevel(Level(6, 2));
    OpenThroughMenu(opened);
    const QString copy = Folder() + "/copy.tr4";

    SaveAs(copy);
    ASSERT_EQ(platform_.dialogs.size(), 2u);
    EXPECT_TRUE(platform_.dialogs[1].save);
    EXPECT_TRUE(platform_.dialogs[1].request.confirm_overwrite);
    EXPECT_EQ(platform_.dialogs[1].request.filter,
              "All TR files (*.phd, *.tub, *.tr2,*.trg,*.tr4,*.trc)|*.phd;*.tub;*.tr2;*.trg;*.tr4;*.trc");
    EXPECT_EQ(Reread(copy).num_pages, 2);
    EXPECT_EQ(Form1->Document().LevelFileName(), copy);
    EXPECT_EQ(Form1->Caption(), copy + "[*]");
    EXPECT_EQ(Form1->Control<TLabel>("Label3")->Caption(), "copy.tr4");

    Trigger(Form1->Control<TMenuItem>("AddNewPage1"));
    EXPECT_TRUE(Form1->isWindowModified());
    Trigger(Form1->Control<TMenuItem>("Save1"));
    EXPECT_FALSE(Form1->isWindowModified());
    EXPECT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    EXPECT_EQ(Reread(opened).num_pages, 2);
    EXPECT_EQ(Reread(copy).num_pages, 3);
}

// Save As adds the level's extension to a bare name and asks before it writes under another one.
TEST_F(SaveCommandsTest, SaveAsNamesTheLevelByItsKind) {
    OpenThroughMenu(WriteLevel(Level(6, 2)));
    SaveAs(Folder() + "/bare");
    EXPECT_EQ(platform_.dialogs.back().request.default_suffix, "tr4");
    EXPECT_EQ(Form1->Document().LevelFileName(), Folder() + "/bare.tr4");
    EXPECT_EQ(Reread(Folder() + "/bare.tr4").kind, pw::kind_tr4);
    EXPECT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();

    platform_.answers.push_back(QMessageBox::No);
    SaveAs(Folder() + "/picture.png");
    EXPECT_EQ(platform_.MessageTexts(),
              QStringList{"picture.png is not named like a .tr4 level. Save it under this name anyway?"});
    EXPECT_FALSE(QFile::exists(Folder() + "/picture.png"));
    EXPECT_EQ(Form1->Document().LevelFileName(), Folder() + "/bare.tr4");

    platform_.answers.push_back(QMessageBox::Yes);
    SaveAs(Folder() + "/picture.png");
    EXPECT_EQ(Form1->Document().LevelFileName(), Folder() + "/picture.png");
    EXPECT_EQ(Reread(Folder() + "/picture.png").kind, pw::kind_tr4);
}

TEST_F(SaveCommandsTest, FailedSaveNamesTheFileAndLeavesItAlone) {
    OpenThroughMenu(WriteLevel(Level(6, 1)));
    // Rooms read from a .tr4 file cannot be written in the .trc layout.
    const Bytes old_bytes(100, 0xAB);
    const QString target = WriteBytes("other.trc", old_bytes);

    platform_.answers.push_back(QMessageBox::Yes); // .trc is no name of a .tr4 level
    SaveAs(target);
    ASSERT_EQ(platform_.messages.size(), 2u);
    platform_.messages.erase(platform_.messages.begin());

    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_EQ(platform_.messages[0].kind, ScriptedPlatform::MessageKind::Error);
    EXPECT_TRUE(platform_.messages[0].text.contains(target)) << platform_.messages[0].text.toStdString();
    EXPECT_EQ(ReadFile(target.toStdString()), old_bytes);
    EXPECT_FALSE(Form5->isVisible());
    EXPECT_FALSE(platform_.busy);

    // A folder that does not exist.
    const QString nowhere = Folder() + "/missing/level.tr4";
    SaveAs(nowhere);
    ASSERT_EQ(platform_.messages.size(), 2u);
    EXPECT_TRUE(platform_.messages[1].text.contains(nowhere)) << platform_.messages[1].text.toStdString();
}

TEST_F(SaveCommandsTest, NewPageIsSelectedAndShownEmpty) {
    OpenThroughMenu(WriteLevel(Level(6, 4)));
    Form1->Document().SetSelectedTile({64, 64, 128, 128});

    Trigger(Form1->Control<TMenuItem>("AddNewPage1"));

    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->Items()->ToStringList(),
              QStringList({"Page#1", "Page#2", "Page#3", "Page#4", "Page#5"}));
    EXPECT_EQ(Form1->Control<TComboBox>("ComboBox1")->ItemIndex(), 4);
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:5/5");
    const QImage& shown = Form1->Control<TImage>("Image1")->Picture();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(255, 255), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(64, 64), qRgb(255, 255, 255)); // the tile frame
    const pw::Ttrlevel& level = Form1->Document().Level();
    EXPECT_EQ(level.pages16.size(), 5u * 131072);
    EXPECT_EQ(level.pages32.size(), 5u * 262144);
    EXPECT_FALSE(platform_.busy);
}

TEST_F(SaveCommandsTest, NewPageOfAPalettedLevelShowsEntryZero) {
    auto desc = Level(1, 4);
    desc.palette[0] = 10;
    desc.palette[1] = 20;
    desc.palette[2] = 30;
    OpenThroughMenu(WriteLevel(desc));
    Trigger(Form1->Control<TMenuItem>("AddNewPage1"));
    EXPECT_EQ(Form1->Control<TGroupBox>("GroupBox1")->Caption(), "Page:5/5");
    EXPECT_EQ(Form1->Control<TImage>("Image1")->Picture().pixel(200, 200), qRgb(40, 80, 120));
}

TEST_F(SaveCommandsTest, APagePastTheEnginesLimitIsAddedOnlyWhenConfirmed) {
    OpenThroughMenu(WriteLevel(Level(1, 16)));
    Trigger(Form1->Control<TMenuItem>("AddNewPage1")); // no answer: No
    EXPECT_EQ(Form1->Document().Level().num_pages, 16);
    EXPECT_EQ(platform_.MessageTexts(),
              QStringList{"The game's engine loads at most 16 pages; add page 17 anyway?"});
    platform_.answers.push_back(QMessageBox::Yes);
    Trigger(Form1->Control<TMenuItem>("AddNewPage1"));
    EXPECT_EQ(Form1->Document().Level().num_pages, 17);
}

TEST_F(SaveCommandsTest, ExportOpensAgainAsTheSamePages) {
    auto desc = Level(3, 3);
    // Red 17, green 11, blue 5 on page 2: shown as 140, 89, 41 (5-6-5 widened by its high bits).
    PutWord(desc.pages16, 65536 + 3 * 256 + 7, 0x4565);
    OpenThroughMenu(WriteLevel(desc));
    const QString out = Folder() + "/pages"; // no extension: .bmp is added

    Export(out);

    ASSERT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    EXPECT_EQ(platform_.dialogs.back().request.title, "Save Texture to Bitmap");
    EXPECT_EQ(platform_.dialogs.back().request.filter,
              "Windows Bitmap (*.bmp)|*.bmp|Portable Network Graphics (*.png)|*.png");
    EXPECT_EQ(platform_.dialogs.back().request.default_suffix, "bmp");
    QImageReader reader(out + ".bmp");
    EXPECT_EQ(reader.format(), "bmp");
    EXPECT_EQ(reader.size(), QSize(256, 768));
    const QImage file = reader.read();
    EXPECT_EQ(file.depth(), 32); // Qt reads 24-bit files as RGB32
    EXPECT_EQ(file.pixel(7, 256 + 3), qRgb(140, 89, 41));

    platform_.file_answers.push_back(out + ".bmp");
    Form1->Control<TMenuItem>("openimage1")->Action()->trigger();
    ASSERT_EQ(Form1->Control<TComboBox>("ComboBox2")->Items()->Count(), 3);
    const QImage source = Form1->Document().Source().SourceImage.convertToFormat(QImage::Format_RGB888);
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(source.copy(0, page * 256, 256, 256),
                  PageRegion(Form1->Document().Level(), page, QRect(0, 0, 256, 256))
                      .convertToFormat(QImage::Format_RGB888))
            << "page " << page;
}

TEST_F(SaveCommandsTest, ExportOfAPalettedLevelKeepsThePaletteColours) {
    auto desc = Level(2, 1);
    desc.pages8.assign(65536, 0);
    desc.pages8[5] = 7;
    // Entry 7 is shown as 40, 84, 132; through 5-6-5 it would come out as 41, 85, 132.
    desc.palette[21] = 10;
    desc.palette[22] = 21;
    desc.palette[23] = 33;
    OpenThroughMenu(WriteLevel(desc));
    Export(Folder() + "/pages.png");

    QImageReader reader(Folder() + "/pages.png");
    EXPECT_EQ(reader.format(), "png");
    const QImage file = reader.read();
    EXPECT_EQ(file.pixel(5, 0), qRgb(40, 84, 132));
}

TEST_F(SaveCommandsTest, ExportToAnUnwritablePlaceSaysWhere) {
    OpenThroughMenu(WriteLevel(Level(4, 1)));
    const QString out = Folder() + "/missing/pages.bmp";
    Export(out);
    ASSERT_EQ(platform_.messages.size(), 1u);
    EXPECT_TRUE(platform_.messages[0].text.contains(out)) << platform_.messages[0].text.toStdString();
    EXPECT_FALSE(platform_.busy);
}
