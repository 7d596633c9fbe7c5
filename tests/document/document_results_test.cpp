// What the document's file operations report when they fail, and that a failure changes nothing.
#include <gtest/gtest.h>

#include <cctype>

#include <QImage>
#include <QString>

#include "document/level_document.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace {

using namespace pw::fixtures;

bool Names(const pw::Result& result, const QString& path) {
    return result.reason.find(path.toStdString()) != std::string::npos;
}

class DocumentResultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        LevelDescription level = MakeLevel(4);
        level.num_pages = 2;
        level.pages16 = Pattern(2 * 131072, 5);
        path_ = Path(level.FileName());
        WriteFile(path_.toStdString(), BuildLevel(level));
        ASSERT_EQ(doc_.Open(path_, nullptr), pw::Status::done);
    }
    QString Path(const std::string& name) const { return QString::fromStdString(dir_.File(name)); }

    TempDir dir_;
    QString path_;
    LevelDocument doc_;
};

} // namespace

TEST_F(DocumentResultsTest, OpenSaysWhyAndKeepsTheOpenLevel) {
    doc_.AddPage();
    const pw::Bytes pages = doc_.Level().pages16;

    const QString gone = Path("gone.tr2");
    const pw::Result missing = doc_.Open(gone, nullptr);
    EXPECT_EQ(missing, pw::Status::no_such_file);
    EXPECT_TRUE(Names(missing, gone)) << missing.reason;

    const QString notes = Path("notes.tr4");
    WriteFile(notes.toStdString(), Bytes{'h', 'e', 'l', 'l', 'o', '!', '\n'});
    const pw::Result refused = doc_.Open(notes, nullptr);
    EXPECT_EQ(refused, pw::Status::not_a_level);
    EXPECT_NE(refused.reason.find("version"), std::string::npos) << refused.reason;

    EXPECT_EQ(doc_.LevelFileName(), path_);
    EXPECT_EQ(doc_.Level().num_pages, 3);
    EXPECT_TRUE(doc_.Level().pages16 == pages);
    EXPECT_TRUE(doc_.IsModified());
}

TEST_F(DocumentResultsTest, AFailedSaveNamesTheFileAndKeepsTheDocumentAsItWas) {
    doc_.AddPage();
    const QString nowhere = Path("missing/level.tr4");
    const pw::Result result = doc_.Save(nowhere, nullptr);
    EXPECT_EQ(result, pw::Status::file_error);
    EXPECT_TRUE(Names(result, nowhere)) << result.reason;
    EXPECT_EQ(doc_.LevelFileName(), path_);
    EXPECT_EQ(doc_.Level().num_pages, 3);
    EXPECT_TRUE(doc_.IsModified());

    doc_.CloseLevel();
    EXPECT_EQ(doc_.Save(Path("none.tr4"), nullptr), pw::Status::nothing_loaded);
}

TEST_F(DocumentResultsTest, ASourceThatCannotBeUsedSaysWhyAndKeepsTheSource) {
    const QString good = Path("good.png");
    ASSERT_TRUE(QImage(256, 512, QImage::Format_RGB32).save(good));
    ASSERT_EQ(doc_.OpenSource(good, nullptr), pw::Status::done);

    const QString narrow = Path("narrow.png");
    ASSERT_TRUE(QImage(128, 256, QImage::Format_RGB32).save(narrow));
    EXPECT_EQ(doc_.OpenSource(narrow, nullptr), pw::Status::wrong_size);
    const QString broken = Path("broken.png");
    WriteFile(broken.toStdString(), Bytes(64, 0x77));
    const pw::Result unreadable = doc_.OpenSource(broken, nullptr);
    EXPECT_EQ(unreadable, pw::Status::not_a_picture);
    EXPECT_TRUE(Names(unreadable, broken)) << unreadable.reason;
    const QString garbage = Path("garbage.tr2");
    WriteFile(garbage.toStdString(), Bytes(64, 0x77));
    EXPECT_EQ(doc_.OpenSource(garbage, nullptr), pw::Status::not_a_level);
    EXPECT_EQ(doc_.OpenSource(Path("gone.tr2"), nullptr), pw::Status::no_such_file);
    LevelDescription pageless = MakeLevel(3);
    pageless.num_pages = 0;
    const QString empty = Path("pageless.tr2");
    WriteFile(empty.toStdString(), BuildLevel(pageless));
    EXPECT_EQ(doc_.OpenSource(empty, nullptr), pw::Status::bad_request);

    EXPECT_EQ(doc_.Source().FileName, "good.png");
    EXPECT_EQ(doc_.Source().PageCount(), 2);
}

TEST_F(DocumentResultsTest, AnExportThatCannotBeWrittenNamesTheFile) {
    const QString nowhere = Path("missing/pages.png");
    const pw::Result picture = doc_.Export(nowhere);
    EXPECT_EQ(picture, pw::Status::file_error);
    EXPECT_TRUE(Names(picture, nowhere)) << picture.reason;
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(picture.reason.front()))) << picture.reason;

    const QString taken = Path("taken");
    WriteFile(taken.toStdString(), Bytes{'x'});
    const pw::Result pages = doc_.ExportPages(taken);
    EXPECT_EQ(pages, pw::Status::file_error);
    EXPECT_TRUE(Names(pages, taken)) << pages.reason;

    doc_.CloseLevel();
    EXPECT_EQ(doc_.Export(Path("none.png")), pw::Status::nothing_loaded);
    EXPECT_EQ(doc_.ImportPages(Path("pages")).result, pw::Status::nothing_loaded);
}
