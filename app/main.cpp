// pagewright [LEVEL]: the texture page editor; a level named on the command line is opened at start-up.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include "app/main_window.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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
