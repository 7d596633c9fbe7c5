// pagewright-cli export and import-page against what the windows write for the same input.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QProcess>

#include "app_fixture.h"

namespace {

using pw::fixtures::Bytes;
using pw::fixtures::ReadFile;

class CliPicturesTest : public AppTest {
protected:
    int Cli(const QStringList& args) {
        QProcess process;
        process.start(QStringLiteral(PW_CLI_PATH), args);
        process.waitForFinished(60000);
        cli_errors_ = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QString Path(const QString& name) const { return Folder() + "/" + name; }
    Bytes Read(const QString& name) const { return ReadFile(Path(name).toStdString()); }
    QString SavePicture(const QImage& picture, const QString& name) {
        EXPECT_TRUE(picture.save(Path(name))) << name.toStdString();
        return Path(name);
    }
    // The window's whole-page copy of `picture` onto page `page` (from 0), saved as `out`.
    void CopyPageInWindow(const QString& level, const QString& picture, int page, const QString& out) {
        OpenThroughMenu(level);
        platform_.file_answers.push_back(picture);
        Form1->Control<TMenuItem>("openimage1")->Action()->trigger();
        while (Form1->Document().Level().num_pages <= page)
            Form1->Control<TMenuItem>("AddNewPage1")->Action()->trigger();
        Form1->Control<TComboBox>("ComboBox1")->SetItemIndex(page);
        Form1->Control<TComboBox>("ComboBox1")->OnChange();
        Form1->Control<TButton>("Button1")->click();
        platform_.file_answers.push_back(out);
        Form1->Control<TMenuItem>("SaveAs1")->Action()->trigger();
        ASSERT_TRUE(platform_.messages.empty()) << platform_.MessageTexts().join('\n').toStdString();
    }
    static pw::Ttrlevel Reread(const QString& path) {
        pw::Ttrlevel level;
        EXPECT_EQ(level.LoadLevel(path.toStdString()), pw::Status::done) << path.toStdString();
        return level;
    }

    QString cli_errors_;
};

// 256 x 300: colours whose red, green and blue differ, changing along both axes.
QImage Picture24() {
    QImage picture(256, 300, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < 256; ++x)
            picture.setPixel(x, y, qRgb(x, (y * 3) & 0xFF, (x + 2 * y) & 0xFF));
    return picture;
}

} // namespace

TEST_F(CliPicturesTest, ImportPageWritesWhatTheWindowWrites) {
    // Page 2 of three, and page 4 of three (appended first).
    for (const auto& [kind, page] : {std::pair{1, 2}, std::pair{4, 2}, std::pair{6, 2}, std::pair{6, 4}}) {
        const QString level = WriteLevel(Level(kind, 3));
        const QString picture = SavePicture(Picture24(), kind == 4 ? "source.png" : "source.bmp");
        const QString ext = QFileInfo(level).suffix();
        CopyPageInWindow(level, picture, page - 1, Path("window." + ext));

        EXPECT_EQ(Cli({"import-page", level, QString::number(page), picture, Path("cli." + ext)}), 0)
            << cli_errors_.toStdString();
        EXPECT_EQ(Read("cli." + ext), Read("window." + ext)) << "kind " << kind << " page " << page;
    }
    EXPECT_EQ(Reread(Path("cli.tr4")).num_pages, 4);
}

TEST_F(CliPicturesTest, DitheredImportPageWritesWhatTheDitheringWindowWrites) {
    const QString level = WriteLevel(Level(3, 3));
    const QString picture = SavePicture(Picture24(), "source.png");
    ASSERT_EQ(Cli({"import-page", level, "2", picture, Path("plain.tr2")}), 0) << cli_errors_.toStdString();
    Form1->Control<TMenuItem>("DitherPictures1")->Action()->trigger();
    CopyPageInWindow(level, picture, 1, Path("window.tr2"));

    EXPECT_EQ(Cli({"import-page", "--dither", level, "2", picture, Path("cli.tr2")}), 0)
        << cli_errors_.toStdString();
    EXPECT_EQ(Read("cli.tr2"), Read("window.tr2"));
    EXPECT_NE(Read("cli.tr2"), Read("plain.tr2"));
}

TEST_F(CliPicturesTest, PicturesWithAlphaAreTransparentWhereAlphaIsZero) {
    auto desc = Level(6, 1);
    const QString level = WriteLevel(desc);
    QImage picture(256, 256, QImage::Format_ARGB32);
    picture.fill(qRgba(0, 0, 0, 255)); // opaque black everywhere
    picture.setPixel(1, 0, qRgba(136, 80, 40, 0));
    picture.setPixel(2, 0, qRgba(136, 80, 40, 128));
    const QString file = SavePicture(picture, "alpha.png");

    ASSERT_EQ(Cli({"import-page", level, "1", file, Path("cli.tr4")}), 0) << cli_errors_.toStdString();
    const pw::Ttrlevel out = Reread(Path("cli.tr4"));
    const auto word = [&](int x) { return out.pages16[2 * x] | (out.pages16[2 * x + 1] << 8); };
    const auto pixel32 = [&](int x) {
        return Bytes(out.pages32.begin() + 4 * x, out.pages32.begin() + 4 * x + 4);
    };
    EXPECT_EQ(word(0), 0x8000);
    EXPECT_EQ(word(1), 0x0000);
    EXPECT_EQ(word(2), 0xC545); // red 17, green 10, blue 5, opaque
    EXPECT_EQ(pixel32(0), (Bytes{0, 0, 0, 255}));
    EXPECT_EQ(pixel32(1), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(pixel32(2), (Bytes{40, 80, 136, 128}));

    CopyPageInWindow(level, file, 0, Path("window.tr4"));
    EXPECT_EQ(Read("cli.tr4"), Read("window.tr4"));
}

TEST_F(CliPicturesTest, WrongPageOrPictureSizeIsAUsageErrorThatWritesNothing) {
    const QString level = WriteLevel(Level(3, 2));
    const QString good = SavePicture(Picture24(), "good.bmp");
    const QString narrow = SavePicture(Picture24().copy(0, 0, 255, 300), "narrow.bmp");
    const QString low = SavePicture(Picture24().copy(0, 0, 256, 255), "low.png");
    const QString out = Path("out.tr2");

    EXPECT_EQ(Cli({"import-page", level, "0", good, out}), 64);
    EXPECT_EQ(Cli({"import-page", level, "4", good, out}), 64);
    EXPECT_EQ(Cli({"import-page", level, "two", good, out}), 64);
    EXPECT_EQ(Cli({"import-page", level, "1", narrow, out}), 64);
    EXPECT_EQ(Cli({"import-page", level, "1", low, out}), 64);
    EXPECT_EQ(Cli({"import-page", level, "1", Path("missing.bmp"), out}), 1);
    EXPECT_EQ(Cli({"import-page", level, "1", level, out}), 3); // not a picture
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(CliPicturesTest, OutputThatCannotBeWrittenExitsThree) {
    const QString level = WriteLevel(Level(3, 1));
    const QString picture = SavePicture(Picture24(), "page.bmp"); // also a file where a folder should be
    for (const QString& out : {picture + "/out.bmp", picture + "/out.png"}) {
        EXPECT_EQ(Cli({"export", level, out}), 3) << out.toStdString();
        EXPECT_TRUE(cli_errors_.contains(out)) << cli_errors_.toStdString();
    }
    EXPECT_EQ(Cli({"import-page", level, "1", picture, picture + "/out.tr2"}), 3);
    EXPECT_EQ(cli_errors_.count("out.tr2"), 1) << cli_errors_.toStdString(); // named once
}

TEST_F(CliPicturesTest, ExportWritesWhatTheWindowWrites) {
    for (const int kind : {2, 5, 7}) {
        OpenThroughMenu(WriteLevel(Level(kind, 3)));
        for (const QString name : {"pages.bmp", "pages.png"}) {
            platform_.file_answers.push_back(Path("window-" + name));
            Form1->Control<TMenuItem>("ExporttoImage1")->Action()->trigger();
            ASSERT_EQ(Cli({"export", Form1->Document().LevelFileName(), Path("cli-" + name)}), 0)
                << cli_errors_.toStdString();
            EXPECT_TRUE(pw::fixtures::SameBytes(Read("cli-" + name), Read("window-" + name)))
                << "kind " << kind << " " << name.toStdString();
        }
    }
    const Bytes bmp = Read("cli-pages.bmp");
    EXPECT_EQ(pw::fixtures::U16At(bmp, 28), 24); // bits per pixel
}

TEST_F(CliPicturesTest, Depth32ExportImportedBackKeepsThe32BitPages) {
    auto desc = Level(6, 3);
    // As in real files, a pixel with alpha 0 is all zero.
    for (std::size_t at = 0; at < desc.pages32.size(); at += 4)
        if (desc.pages32[at + 3] == 0)
            std::fill_n(desc.pages32.begin() + static_cast<std::ptrdiff_t>(at), 4, 0);
    const QString level = WriteLevel(desc);
    ASSERT_EQ(Cli({"export", "--depth", "32", level, Path("pages32.png")}), 0) << cli_errors_.toStdString();

    const QImage all(Path("pages32.png"));
    ASSERT_EQ(all.size(), QSize(256, 768));
    QString current = level;
    for (int page = 0; page < 3; ++page) {
        const QString picture =
            SavePicture(all.copy(0, page * 256, 256, 256), QString("page%1.png").arg(page));
        const QString next = Path(QString("step%1.tr4").arg(page));
        ASSERT_EQ(Cli({"import-page", current, QString::number(page + 1), picture, next}), 0)
            << cli_errors_.toStdString();
        current = next;
    }
    EXPECT_EQ(Reread(current).pages32, pw::Bytes(desc.pages32.begin(), desc.pages32.end()));

    EXPECT_EQ(Cli({"export", "--depth", "32", level, Path("pages32.bmp")}), 64);
    EXPECT_EQ(Cli({"export", "--depth", "24", level, Path("x.png")}), 64);
    EXPECT_EQ(Cli({"export", "--depth", "32", WriteLevel(Level(3, 1)), Path("x.png")}), 64);
    EXPECT_EQ(Cli({"export", level, Path("x.jpg")}), 64);
    EXPECT_FALSE(QFileInfo::exists(Path("x.png")));
}

TEST_F(CliPicturesTest, PalettedExportImportedBackKeepsItsPaletteEntries) {
    auto desc = Level(1, 1);
    for (int i = 0; i < 256; ++i) { // 256 different colours
        desc.palette[3 * i] = static_cast<std::uint8_t>(i & 63);
        desc.palette[3 * i + 1] = static_cast<std::uint8_t>((i >> 6) * 16 + 1);
        desc.palette[3 * i + 2] = static_cast<std::uint8_t>((i * 7) & 63);
    }
    const QString level = WriteLevel(desc);
    ASSERT_EQ(Cli({"export", level, Path("page.bmp")}), 0) << cli_errors_.toStdString();
    ASSERT_EQ(Cli({"import-page", level, "1", Path("page.bmp"), Path("back.phd")}), 0)
        << cli_errors_.toStdString();
    EXPECT_EQ(Reread(Path("back.phd")).pages8, pw::Bytes(desc.pages8.begin(), desc.pages8.end()));
}

TEST_F(CliPicturesTest, DamagedPicturesAreRefusedInOneLineAndWriteNothing) {
    const QString level = WriteLevel(Level(6, 1));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(Picture24());
    }
    pw::fixtures::WriteFile(Path("cut.png").toStdString(), Bytes(png.begin(), png.begin() + png.size() / 2));
    QDir(Folder()).mkdir("folder.bmp");
    const QString out = Path("out.tr4");
    for (const QString name : {"cut.png", "folder.bmp"}) {
        EXPECT_EQ(Cli({"import-page", level, "1", Path(name), out}), 3) << name.toStdString();
        EXPECT_EQ(cli_errors_.count('\n'), 1) << cli_errors_.toStdString();
        EXPECT_TRUE(cli_errors_.contains(name)) << cli_errors_.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}
