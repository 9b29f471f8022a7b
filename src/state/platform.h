#pragma once
// What the logic needs from a person or the platform. Qt implements these in
// ui/; tests implement them with a scripted fake. Several small interfaces
// rather than one big one, so that each piece of logic names what it uses.
#include <optional>
#include <string>
#include <vector>

#include "http.h"
#include "picture_surface.h"
#include "read_result.h"

namespace sextrix {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with an OK button.
    virtual void message(const std::string& text, const std::string& title, bool warningIcon) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;

    struct FileRequest {
        std::string title;
        std::string filter;  // e.g. "Projects (*.pam)"
        std::string folder;
        bool save = false;
        // A save: the name proposed in folder (empty: none), and whether the
        // platform's dialog asks before replacing a file; false when the
        // caller asks itself.
        std::string name;
        bool confirmOverwrite = true;
    };
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;
    // Several files to open; none when the user cancels.
    virtual std::vector<std::string> chooseFiles(const FileRequest& request) = 0;
    // Puts the text on the clipboard.
    virtual void copyText(const std::string& text) = 0;
};

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Lets the windows repaint and pending events (timers, clicks) run once.
    virtual void yield() = 0;
};

// The secondary windows, shown modally by the logic.
enum class WindowKey {
    FrmLang,
    Config,
    Config2,
    Wizard,
    FrmInternet,
    About,
    Residuals,
    Measurements,
    Series,
    ReportSettings
};

class Windows {
public:
    virtual ~Windows() = default;
    // Returns when the window has closed.
    virtual void showModal(WindowKey key) = 0;
    // Opens the help window on an HTML page (an existing file) and returns
    // at once; the window stays open beside the main window.
    virtual void showHelp(const std::string& page) = 0;
};

struct UtcDateTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Universal time: the asteroid boxes are read as UT.
    virtual UtcDateTime utcNow() = 0;
};

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<PackedColour> pixels;  // row-major packed colours
};

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    // The picture, or an error naming the file with the decoder's description.
    virtual Result<DecodedImage> decode(const std::string& path) = 0;
};

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // Width in pixels of a label showing this text in the picture's label font.
    virtual int textWidth(const std::string& text) = 0;
};

// Everything the handlers reach outside the models.
struct Platform {
    Dialogs& dialogs;
    EventLoop& events;
    Windows& windows;
    Clock& clock;
    ImageDecoder& images;
    TextMeasure& text;
    Http& http;
};

}  // namespace sextrix
