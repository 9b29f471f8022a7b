// Velorin Sextrix: builds the Qt objects and runs the start-up. The program
// takes no arguments.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "ui/form1_window.h"
#include "ui/qt_program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("Velorin Sextrix");
    // The program folder holds the data files, the language files and the settings.
    sextrix::ui::QtProgram program(QCoreApplication::applicationDirPath().toStdString());
    try {
        program.start();
    } catch (const std::exception& failure) {
        QMessageBox::critical(nullptr, "Velorin Sextrix", QString::fromStdString(failure.what()));
        return 1;
    }
    return application.exec();
}
