// Writing the page pictures of a level into a folder.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <QRegularExpression>
#include <QString>

#include <sys/wait.h>
#include <unistd.h>

#include "pictures/page_folder.h"
#include "tests/fixtures/level_builder.h"
#include "tests/fixtures/test_support.h"

namespace {

bool WholePictureName(const std::filesystem::path& path) {
    static const QRegularExpression whole(QStringLiteral("^level_[0-9]+\\.png$"));
    return whole.match(QString::fromStdString(path.filename().string())).hasMatch();
}

bool OnlyWholePictures(const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (!WholePictureName(entry.path()))
            return false;
    return true;
}

// Once the first page is written, watches the folder while the other thread writes until a file that
// is no whole picture shows (or for a while), and kills the process then.
struct KillingGauge : pw::Gauge {
    std::string folder;
    void SetProgress(int percent) override {
        if (percent == 0)
            return;
        for (int look = 0; look < 3000 && OnlyWholePictures(folder); ++look) {
        }
        std::raise(SIGKILL);
    }
};

} // namespace

// The pages are written into unnamed files: no other name shows in the folder while they are written,
// and an export killed half way leaves only whole pictures.
TEST(PageFolder, AnExportKilledWhileWritingLeavesOnlyWholePictures) {
    pw::fixtures::TempDir dir;
    pw::Ttrlevel level;
    level.kind = pw::kind_tr4;
    level.num_pages = 32;
    level.pages16 = pw::fixtures::Pattern(32 * 256 * 256 * 2, 7);
    level.pages32 = pw::fixtures::Pattern(32 * 256 * 256 * 4, 9);
    const QString folder = QString::fromStdString(dir.File("pages"));
    const pid_t child = ::fork();
    if (child == 0) {
        KillingGauge gauge;
        gauge.folder = dir.File("pages");
        WritePageFolder(level, QStringLiteral("level.tr4"), folder, pw::PagePictureDepth::shown, &gauge);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    for (const auto& entry : std::filesystem::directory_iterator(dir.File("pages")))
        EXPECT_TRUE(WholePictureName(entry.path())) << entry.path();
}
