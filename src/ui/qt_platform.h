#pragma once
// The platform interfaces of the core, implemented with Qt.
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

#include "qtio/qt_http.h"
#include "state/platform.h"

namespace sextrix::ui {

class QtPlatform : public Dialogs,
                   public EventLoop,
                   public Windows,
                   public Clock,
                   public ImageDecoder,
                   public TextMeasure {
public:
    // Dialogs
    void message(const std::string& text, const std::string& title, bool warningIcon) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    std::vector<std::string> chooseFiles(const FileRequest& request) override;
    void copyText(const std::string& text) override;
    // EventLoop: repaints the windows from their models, then runs pending events once.
    void yield() override;
    // Windows
    void showModal(WindowKey key) override;
    void showHelp(const std::string& page) override;
    // Clock
    UtcDateTime utcNow() override;
    // ImageDecoder
    Result<DecodedImage> decode(const std::string& path) override;
    // TextMeasure
    int textWidth(const std::string& text) override;

    Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, http}; }

    qtio::QtHttp http;

    // The texts of the message boxes' buttons.
    struct ButtonTexts {
        QString ok = "OK", yes = "Yes", no = "No";
    };

    // Set by the windows: repaint from the models; open a modal window.
    std::function<void()> refreshWindows;
    std::function<void(WindowKey)> openModal;
    std::function<void(const QString&)> openHelp;
    QWidget* dialogParent = nullptr;
    // The buttons in the interface's language; English when unset.
    std::function<ButtonTexts()> buttonTexts;
    // Where message boxes must not open, in screen pixels: the picture, so
    // that the user can judge it while answering. Empty: anywhere.
    std::function<QRect()> keepClear;
};

// Where a window of `outer` size (frame included) opens beside `keep` and
// clear of it: right of it, else left, below, above, whichever lies wholly on
// `screen` first; with no room anywhere, at the screen's right edge.
QPoint placeClearOf(const QRect& keep, const QSize& outer, const QRect& screen);

}  // namespace sextrix::ui
