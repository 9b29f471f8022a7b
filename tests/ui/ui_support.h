#pragma once
// Helpers for driving the real windows in tests.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <type_traits>

#include "support/fake_platform.h"

namespace sextrix::testing {

// A program folder with the shipped language (and other data) files.
inline void installDataFiles(const TempFolder& folder, std::initializer_list<const char*> names) {
    for (const char* name : names) folder.write(name, readFileBytes(dataFile(name)).value());
}

// Runs action on the next modal window that opens (polling the event loop),
// e.g. to press one of its buttons. With a type, windows of other types are
// passed over (a message box opened over a modal dialog).
template <class Modal = QWidget>
void onNextModal(std::type_identity_t<std::function<void(Modal*)>> action) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

inline void onNextMessageBox(std::function<void(QMessageBox*)> action) { onNextModal<QMessageBox>(std::move(action)); }

// Types into the named line edit of a window, as a person does.
inline void typeText(QWidget* window, const char* name, const char* text) {
    auto* edit = window->findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->clear();
    QTest::keyClicks(edit, text);
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
