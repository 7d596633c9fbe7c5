// The save dialog the program shows on the desktop (not the scripted one the other tests use): a name
// typed without an extension takes the one of the type chosen in the dialog.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QTimer>

#include "app_fixture.h"

namespace {

class SaveDialogTest : public AppTest {};

// Export through the File menu with the desktop's dialog, driven as a user would: the PNG type chosen,
// "pages" typed, Save pressed.
TEST_F(SaveDialogTest, ANameTypedAfterChoosingPngGetsThePngExtension) {
    OpenThroughMenu(WriteLevel(Level(3, 1)));
    ASSERT_TRUE(Form1->Document().HasLevel());
    Platform* scripted = InstallPlatform(nullptr); // the desktop's services from here
    bool driven = false;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        driver.stop();
        const QStringList types = dialog->nameFilters();
        const auto png = std::find_if(types.begin(), types.end(), [](const QString& type) {
            return type.contains(QStringLiteral("*.png"));
        });
        if (png != types.end())
            dialog->selectNameFilter(*png);
        dialog->setDirectory(Folder());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name)
            name->setText(QStringLiteral("pages"));
        driven = png != types.end() && name != nullptr;
        static_cast<QDialog*>(dialog)->accept(); // Save pressed
    });
    driver.start();
    Form1->Control<TMenuItem>("ExporttoImage1")->Action()->trigger();
    InstallPlatform(scripted);

    ASSERT_TRUE(driven) << "no widget-based save dialog with a PNG type came up";
    EXPECT_TRUE(QFileInfo::exists(Folder() + "/pages.png"));
    EXPECT_FALSE(QFileInfo::exists(Folder() + "/pages.bmp"));
    EXPECT_EQ(QImageReader(Folder() + "/pages.png").format(), "png");
}

} // namespace
