#include "qt_program_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include "state/text_file.h"

namespace sextrix::qtio {

char systemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point == "," ? ',' : '.';
}

ProgramFolders programFoldersFor(const std::string& executableFolder) {
    const QDir exe(QString::fromStdString(executableFolder));
    ExecutableFolderFacts facts;
    facts.holdsData = QFileInfo::exists(exe.filePath("lang-fr.cfg"));
    facts.writable = folderAcceptsFiles(exe.absolutePath().toStdString());
    const QString installed = QDir::cleanPath(exe.filePath(SEXTRIX_DATA_FROM_BIN));
    const QString user =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath("velorin-sextrix");
    ProgramFolders folders =
        chooseProgramFolders(exe.absolutePath().toStdString(), facts, installed.toStdString(), user.toStdString());
    if (folders.programFolder == user.toStdString()) QDir().mkpath(user);
    return folders;
}

}  // namespace sextrix::qtio
