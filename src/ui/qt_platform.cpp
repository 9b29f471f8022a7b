#include "qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <stdexcept>

#include "ui/label_font.h"

namespace sextrix::ui {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

void QtPlatform::message(const std::string& text, const std::string& title, bool warningIcon) {
    QMessageBox box(warningIcon ? QMessageBox::Warning : QMessageBox::NoIcon, q(title), q(text), QMessageBox::Ok,
                    dialogParent);
    box.exec();
    if (refreshWindows) refreshWindows();
}

bool QtPlatform::askYesNo(const std::string& text, const std::string& title) {
    if (refreshWindows) refreshWindows();
    QMessageBox box(QMessageBox::Question, q(title), q(text), QMessageBox::Yes | QMessageBox::No, dialogParent);
    box.setDefaultButton(QMessageBox::Yes);
    const bool yes = box.exec() == QMessageBox::Yes;
    if (refreshWindows) refreshWindows();
    return yes;
}

std::optional<std::string> QtPlatform::chooseFile(const FileRequest& request) {
    const QString path = request.save
                             ? QFileDialog::getSaveFileName(dialogParent, q(request.title), q(request.folder), q(request.filter))
                             : QFileDialog::getOpenFileName(dialogParent, q(request.title), q(request.folder), q(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

void QtPlatform::yield() {
    if (refreshWindows) refreshWindows();
    QApplication::processEvents();
}

void QtPlatform::showModal(WindowKey key) {
    if (openModal) openModal(key);
    if (refreshWindows) refreshWindows();
}

LocalDateTime QtPlatform::now() {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), t.time().second()};
}

DecodedImage toDecodedImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    DecodedImage out;
    out.width = rgb.width();
    out.height = rgb.height();
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        PackedColour* row = out.pixels.data() + static_cast<std::size_t>(y) * out.width;
        for (int x = 0; x < out.width; ++x) row[x] = packColour(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
    }
    return out;
}

DecodedImage QtPlatform::decode(const std::string& path) {
    QImageReader reader(q(path));
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull()) throw std::runtime_error(reader.errorString().toStdString());
    return toDecodedImage(image);
}

int QtPlatform::textWidth(const std::string& text) {
    return QFontMetrics(labelFont()).horizontalAdvance(q(text));
}

}  // namespace sextrix::ui
