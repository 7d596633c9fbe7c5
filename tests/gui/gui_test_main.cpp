// The GUI tests run the real windows on Qt's offscreen platform unless another one is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

QtMessageHandler standard_handler = nullptr;

// The offscreen platform warns about every window it cannot raise or size; that is not news.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        standard_handler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standard_handler = qInstallMessageHandler(QuietOffscreenWarnings);
    QApplication app(argc, argv);
    // Windows created outside the application fixture must not read or write the user's settings, nor
    // find language files the user saved.
    const QTemporaryDir settings;
    qputenv("PAGEWRIGHT_CONFIG_DIR", QFile::encodeName(settings.path()));
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
