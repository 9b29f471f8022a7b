#pragma once
// Helpers for driving the real windows in tests.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

#include "support/fake_platform.h"

namespace sextrix::testing {

// A program folder with the shipped language (and other data) files.
inline void installDataFiles(const TempFolder& folder, std::initializer_list<const char*> names) {
    for (const char* name : names) folder.write(name, readFileBytes(dataFile(name)));
}

// Runs action on the next modal window that opens (polling the event loop),
// e.g. to press one of its buttons.
inline void onNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

// Clicks the named button of a window with a real mouse event.
inline void clickButton(QWidget* window, const char* name) {
    auto* button = window->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// When SEXTRIX_SCREENSHOTS names a folder, saves a picture of the window there
// (the documentation's screenshots are made this way, under Xvfb).
inline void saveScreenshot(QWidget* window, const char* name) {
    const QByteArray folder = qgetenv("SEXTRIX_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QApplication::processEvents();
    window->grab().save(QString::fromUtf8(folder) + "/" + name);
}

}  // namespace sextrix::testing
