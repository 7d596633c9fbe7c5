// pagewright [LEVEL]: the texture page editor; a level named on the command line is opened at start-up.
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include "app/main_window.h"
#include "app/startup.h"
#include "localisation/code_page.h"

#ifndef PW_VERSION
#define PW_VERSION "unknown"
#endif

namespace {

// --version and --help answer on the terminal without opening a window (or needing a display).
bool AnsweredOnTerminal(int argc, char** argv) {
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::fputs("pagewright " PW_VERSION "\n", stdout);
        return true;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs("usage: pagewright [LEVEL]\n"
                   "Edits the texture pages of a TR level file (.phd .tub .tr2 .trg .tr4 .trc);\n"
                   "LEVEL is opened at start-up. Qt's own options (-platform, -style, ...) apply.\n",
                   stdout);
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (AnsweredOnTerminal(argc, argv))
        return 0;
    QApplication app(argc, argv);
    const QStringList missing = MissingCodePages();
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "pagewright: this Qt cannot convert the code pages %s of the language files\n",
                     qPrintable(missing.join(QStringLiteral(", "))));
        return 1;
    }
    // The program ends with its main window, whatever other windows are still open.
    QApplication::setQuitOnLastWindowClosed(false);

    CreateApplicationForms();
    QObject::connect(Form1, &TForm::Closed, &app, &QCoreApplication::quit);
    Form1->Show();

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const QString level = QFileInfo(arguments.at(1)).absoluteFilePath();
        QTimer::singleShot(0, Form1, [level] { Form1->OpenLevelFile(level); });
    }
    const int code = QApplication::exec();
    DestroyApplicationForms();
    return code;
}
