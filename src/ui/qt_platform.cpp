#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <stdexcept>

#include "qtio/qt_images.h"
#include "state/text_file.h"
#include "ui/label_font.h"

namespace sextrix::ui {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }

// A message box that opens clear of the picture.
class PlacedBox : public QMessageBox {
public:
    PlacedBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons, QWidget* parent,
              QRect keep)
        : QMessageBox(icon, title, text, buttons, parent), keep_(keep) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // sizes the box to its text
        if (keep_.isEmpty()) return;
        // The box has no frame yet: its parent's tells how large it will be.
        QMargins frame;
        if (QWidget* parent = parentWidget()) {
            const QRect outer = parent->frameGeometry(), inner = parent->geometry();
            frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                             outer.bottom() - inner.bottom());
        }
        const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
        move(placeClearOf(keep_, size().grownBy(frame), screen->availableGeometry()));
    }

private:
    QRect keep_;
};

}  // namespace

QPoint placeClearOf(const QRect& keep, const QSize& outer, const QRect& screen) {
    constexpr int gap = 8;
    // A position along one side, slid to lie on the screen where it can.
    auto onScreen = [](int wanted, int first, int length, int span) {
        return std::max(first, std::min(wanted, first + span - length));
    };
    const int y = onScreen(keep.center().y() - outer.height() / 2, screen.top(), outer.height(), screen.height());
    const int x = onScreen(keep.center().x() - outer.width() / 2, screen.left(), outer.width(), screen.width());
    const QPoint beside[] = {
        {keep.right() + 1 + gap, y},  // over the side panel
        {keep.left() - gap - outer.width(), y},
        {x, keep.bottom() + 1 + gap},
        {x, keep.top() - gap - outer.height()},
    };
    for (const QPoint& at : beside)
        if (screen.contains(QRect(at, outer))) return at;
    return {screen.right() + 1 - outer.width(), y};
}

void QtPlatform::message(const std::string& text, const std::string& title, bool warningIcon) {
    PlacedBox box(warningIcon ? QMessageBox::Warning : QMessageBox::NoIcon, q(title), q(text), QMessageBox::Ok,
                  dialogParent, keepClear ? keepClear() : QRect());
    box.button(QMessageBox::Ok)->setText(buttonTexts ? buttonTexts().ok : ButtonTexts().ok);
    box.exec();
    if (refreshWindows) refreshWindows();
}

bool QtPlatform::askYesNo(const std::string& text, const std::string& title) {
    if (refreshWindows) refreshWindows();
    PlacedBox box(QMessageBox::Question, q(title), q(text), QMessageBox::Yes | QMessageBox::No, dialogParent,
                  keepClear ? keepClear() : QRect());
    const ButtonTexts texts = buttonTexts ? buttonTexts() : ButtonTexts();
    box.button(QMessageBox::Yes)->setText(texts.yes);
    box.button(QMessageBox::No)->setText(texts.no);
    box.setDefaultButton(QMessageBox::Yes);
    const bool yes = box.exec() == QMessageBox::Yes;
    if (refreshWindows) refreshWindows();
    return yes;
}

void QtPlatform::copyText(const std::string& text) { QApplication::clipboard()->setText(QString::fromStdString(text)); }

std::optional<std::string> QtPlatform::chooseFile(const FileRequest& request) {
    const QString proposed = request.name.empty() ? q(request.folder) : q(joinPath(request.folder, request.name));
    const QFileDialog::Options options =
        request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    const QString path = request.save ? QFileDialog::getSaveFileName(dialogParent, q(request.title), proposed,
                                                                     q(request.filter), nullptr, options)
                                      : QFileDialog::getOpenFileName(dialogParent, q(request.title), q(request.folder),
                                                                     q(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::vector<std::string> QtPlatform::chooseFiles(const FileRequest& request) {
    std::vector<std::string> paths;
    for (const QString& path :
         QFileDialog::getOpenFileNames(dialogParent, q(request.title), q(request.folder), q(request.filter)))
        paths.push_back(path.toStdString());
    return paths;
}

void QtPlatform::yield() {
    if (refreshWindows) refreshWindows();
    QApplication::processEvents();
}

void QtPlatform::showModal(WindowKey key) {
    if (openModal) openModal(key);
    if (refreshWindows) refreshWindows();
}

void QtPlatform::showHelp(const std::string& page) {
    if (openHelp) openHelp(QString::fromStdString(page));
}

UtcDateTime QtPlatform::utcNow() {
    const QDateTime t = QDateTime::currentDateTimeUtc();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), t.time().second()};
}

Result<DecodedImage> QtPlatform::decode(const std::string& path) { return qtio::decodeImageFile(path); }

int QtPlatform::textWidth(const std::string& text) { return QFontMetrics(labelFont()).horizontalAdvance(q(text)); }

}  // namespace sextrix::ui
