// Velorin Sextrix: builds the Qt objects and runs the start-up.
//
// The program takes one optional argument, --self-test, for packagers: it
// starts as a user would (answering the language chooser of a first start
// with its OK button), prints the two folders it uses, and ends with status 0
// once the main window is up, or 1 with the failure on stderr.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>

#include "ui/form1_window.h"
#include "ui/qt_program.h"

namespace {

// Presses OK in any modal window that opens, for --self-test.
void answerModalsWithOk(QObject* owner) {
    auto* timer = new QTimer(owner);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            if (auto* ok = modal->findChild<QPushButton*>("OKButton")) ok->click();
    });
    timer->start();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName("velorin-sextrix");
    application.setApplicationDisplayName("Velorin Sextrix");
    const bool selfTest = argc == 2 && std::strcmp(argv[1], "--self-test") == 0;
    if (argc > 1 && !selfTest) {
        std::fprintf(stderr, "usage: %s [--self-test]\n", argv[0]);
        return 2;
    }
    const sextrix::ProgramFolders folders =
        sextrix::qtio::programFoldersFor(QCoreApplication::applicationDirPath().toStdString());
    sextrix::ui::QtProgram program(folders.programFolder, folders.dataFolder);
    if (selfTest) answerModalsWithOk(&application);
    try {
        program.start();
    } catch (const std::exception& failure) {
        if (selfTest) {
            std::fprintf(stderr, "%s\n", failure.what());
            return 1;
        }
        QMessageBox::critical(nullptr, "Velorin Sextrix", QString::fromStdString(failure.what()));
        return 1;
    }
    if (selfTest) {
        std::printf("program folder: %s\ndata folder: %s\n", folders.programFolder.c_str(), folders.dataFolder.c_str());
        return 0;
    }
    return application.exec();
}
