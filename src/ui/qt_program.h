#pragma once
// The program's Qt side as one object: the platform, the main window, the
// splash and the start-up host. main() makes one; UI tests make their own.
#include <memory>

#include "form1/startup.h"
#include "state/app.h"
#include "ui/qt_platform.h"

namespace sextrix::ui {

class Form1Window;
class SplashWindow;

class QtProgram : public StartupHost {
public:
    explicit QtProgram(const std::string& programFolder);
    ~QtProgram() override;

    // Start-up; throws what the start-up throws (an unusable language file).
    void start();

    App& app() { return app_; }
    Form1Window& mainWindow() { return *mainWindow_; }
    QtPlatform& platform() { return qtPlatform_; }

    // StartupHost
    void showSplash() override;
    int splashBarValue() override;
    void showMainWindow() override;
    void closeSplash() override;

private:
    void openModal(WindowKey key);

    QtPlatform qtPlatform_;
    Platform platform_;
    App app_;
    std::unique_ptr<Form1Window> mainWindow_;
    std::unique_ptr<SplashWindow> splash_;
};

// The decimal separator of the user's locale.
char systemDecimalSeparator();

}  // namespace sextrix::ui
