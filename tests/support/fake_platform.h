#pragma once
// A scripted platform for the window handlers' tests: answers are queued,
// messages recorded.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "model/app.h"
#include "support/fake_http.h"
#include "support/temp_folder.h"

namespace sextrix::testing {

struct RecordedMessage {
    std::string text;
    std::string title;
    bool warning = false;
};

class FakePlatform : public Dialogs,
                     public EventLoop,
                     public Windows,
                     public Clock,
                     public ImageDecoder,
                     public TextMeasure {
public:
    // Dialogs
    void message(const std::string& text, const std::string& title, bool warning) override {
        messages.push_back({text, title, warning});
    }
    bool askYesNo(const std::string& text, const std::string& title) override {
        questions.push_back({text, title, false});
        if (answers.empty()) throw std::logic_error("unexpected question: " + text);
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseFile(const FileRequest& request) override {
        fileRequests.push_back(request);
        if (chosenFiles.empty()) return std::nullopt;
        auto path = chosenFiles.front();
        chosenFiles.pop_front();
        return path;
    }
    std::vector<std::string> chooseFiles(const FileRequest& request) override {
        fileRequests.push_back(request);
        return std::exchange(chosenFileLists, {});
    }
    void copyText(const std::string& text) override { copiedTexts.push_back(text); }
    // EventLoop
    void yield() override {
        ++yields;
        if (onYield) onYield();
    }
    // Windows
    void showModal(WindowKey key) override {
        shownWindows.push_back(key);
        if (auto it = onShow.find(key); it != onShow.end()) it->second();
    }
    void showHelp(const std::string& page) override { shownHelp.push_back(page); }
    // Clock
    UtcDateTime utcNow() override { return clockValue; }
    // ImageDecoder
    Result<DecodedImage> decode(const std::string& path) override {
        decodedPaths.push_back(path);
        if (auto it = images.find(path); it != images.end()) return it->second;
        return ReadError{.file = path, .cause = "cannot decode"};
    }

    // TextMeasure: a fixed 7 pixels per byte.
    int textWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }

    Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, http}; }

    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> questions;
    std::deque<bool> answers;
    std::deque<std::string> chosenFiles;
    std::vector<Dialogs::FileRequest> fileRequests;
    std::vector<std::string> copiedTexts;
    std::vector<std::string> chosenFileLists;  // the next chooseFiles' answer
    int yields = 0;
    std::function<void()> onYield;
    std::vector<WindowKey> shownWindows;
    std::map<WindowKey, std::function<void()>> onShow;
    std::vector<std::string> shownHelp;
    UtcDateTime clockValue{2026, 12, 7, 9, 5, 0};
    std::map<std::string, DecodedImage> images;
    std::vector<std::string> decodedPaths;
    FakeHttp http;
};

// An App wired to a fake platform, its program folder a fresh temporary folder.
struct TestApp {
    FakePlatform fake;
    Platform platform = fake.platform();
    TempFolder folder;
    App app{platform};
    TestApp() { app.ctx.programFolder = folder.path(); }
};

}  // namespace sextrix::testing
