#pragma once
// The program's Qt side as one object: the platform, the main window, the
// splash and the start-up host. main() makes one; UI tests make their own.
#include <QString>
#include <QTranslator>
#include <memory>

#include "form1/startup.h"
#include "model/app.h"
#include "qtio/qt_program_folders.h"
#include "ui/qt_platform.h"

namespace sextrix::ui {

class Form1Window;
class SplashWindow;
class HelpWindow;

class QtProgram : public StartupHost {
public:
    // programFolder: where the program writes; dataFolder: its read-only
    // data (empty: the same folder).
    explicit QtProgram(const std::string& programFolder, const std::string& dataFolder = {});
    ~QtProgram() override;

    // Start-up; throws what the start-up throws (an unusable language file).
    void start();

    App& app() { return app_; }
    Form1Window& mainWindow() { return *mainWindow_; }
    HelpWindow* helpWindow() { return helpWindow_.get(); }
    QtPlatform& platform() { return qtPlatform_; }

    // StartupHost
    void showSplash() override;
    int splashBarValue() override;
    void showMainWindow() override;
    void closeSplash() override;

private:
    void openModal(WindowKey key);
    void openHelp(const QString& page);
    void installQtTranslation();

    QtPlatform qtPlatform_;
    Platform platform_;
    App app_;
    std::unique_ptr<Form1Window> mainWindow_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<HelpWindow> helpWindow_;
    std::unique_ptr<QTranslator> qtTranslator_;
};

}  // namespace sextrix::ui
