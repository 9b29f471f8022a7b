#pragma once
// The platform interfaces of the core, implemented with Qt.
#include <QWidget>
#include <functional>

#include "state/platform.h"
#include "ui/qt_http.h"

namespace sextrix::ui {

class QtPlatform : public Dialogs, public EventLoop, public Windows, public Clock, public ImageDecoder,
                   public TextMeasure {
public:
    // Dialogs
    void message(const std::string& text, const std::string& title, bool warningIcon) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    // EventLoop: repaints the windows from their models, then runs pending events once.
    void yield() override;
    // Windows
    void showModal(WindowKey key) override;
    // Clock
    LocalDateTime now() override;
    // ImageDecoder
    DecodedImage decode(const std::string& path) override;
    // TextMeasure
    int textWidth(const std::string& text) override;

    Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, http}; }

    QtHttp http;

    // Set by the windows: repaint from the models; open a modal window.
    std::function<void()> refreshWindows;
    std::function<void(WindowKey)> openModal;
    QWidget* dialogParent = nullptr;
};

// Packs a decoded Qt image into the core's colour numbers.
DecodedImage toDecodedImage(const class QImage& image);

}  // namespace sextrix::ui
