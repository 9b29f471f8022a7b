#include "qt_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>

#include "form1/startup.h"
#include "state/text_file.h"
#include "ui/config2_window.h"
#include "ui/config_window.h"
#include "ui/form1_window.h"
#include "ui/frm_internet.h"
#include "ui/frm_lang.h"
#include "ui/help_window.h"
#include "ui/measurements_window.h"
#include "ui/report_settings_window.h"
#include "ui/residuals_window.h"
#include "ui/series_window.h"
#include "ui/splash_window.h"
#include "ui/wizard_window.h"

namespace sextrix::ui {

QtProgram::QtProgram(const std::string& programFolder, const std::string& dataFolder)
    : platform_(qtPlatform_.platform()), app_(platform_) {
    app_.ctx.programFolder = programFolder;
    app_.ctx.dataFolder = dataFolder;
    app_.ctx.decimalSeparator = qtio::systemDecimalSeparator();
    mainWindow_ = std::make_unique<Form1Window>(app_);
    qtPlatform_.dialogParent = mainWindow_.get();
    qtPlatform_.refreshWindows = [this] { mainWindow_->refreshFromModel(); };
    qtPlatform_.openModal = [this](WindowKey key) { openModal(key); };
    qtPlatform_.openHelp = [this](const QString& page) { openHelp(page); };
    qtPlatform_.buttonTexts = [this] {
        return mainWindow_->frenchInterface() ? QtPlatform::ButtonTexts{"OK", "Oui", "Non"} : QtPlatform::ButtonTexts{};
    };
    qtPlatform_.keepClear = [this] {
        const QWidget* view = mainWindow_->viewport();
        return view->isVisible() ? QRect(view->mapToGlobal(QPoint(0, 0)), view->size()) : QRect();
    };
}

QtProgram::~QtProgram() = default;

void QtProgram::start() { Main(app_, *this); }

void QtProgram::showSplash() {
    splash_ = std::make_unique<SplashWindow>(QString::fromStdString(app_.programFile("test.bmp")));
    splash_->show();
    splash_->repaint();
    splash_->startProgress();
}

int QtProgram::splashBarValue() { return splash_ ? splash_->barValue() : 100; }

void QtProgram::showMainWindow() {
    installQtTranslation();
    mainWindow_->refreshFromModel();
    mainWindow_->show();
}

// Qt's own dialogs (the file dialogs, the buttons of a question) speak the
// interface's language when Debian's qt6-translations-l10n is installed, and
// English otherwise. The language is chosen before the main window shows.
void QtProgram::installQtTranslation() {
    if (qtTranslator_ || !mainWindow_->frenchInterface()) return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::French), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    qtTranslator_ = std::move(translator);
}

void QtProgram::closeSplash() {
    splash_.reset();
    mainWindow_->refreshFromModel();
    mainWindow_->activateWindow();
    mainWindow_->raise();
}

void QtProgram::openModal(WindowKey key) {
    switch (key) {
        case WindowKey::FrmLang: {
            QWidget* parent = mainWindow_->isVisible() ? mainWindow_.get() : nullptr;
            FrmLang chooser(app_, parent);
            chooser.exec();
            break;
        }
        case WindowKey::FrmInternet: {
            FrmInternet switches(app_, mainWindow_.get());
            switches.exec();
            break;
        }
        case WindowKey::ReportSettings: {
            ReportSettingsWindow settings(app_, mainWindow_.get());
            settings.exec();
            break;
        }
        case WindowKey::Config: {
            ConfigWindow configurations(app_, mainWindow_.get());
            configurations.exec();
            break;
        }
        case WindowKey::Config2: {
            Config2Window calibration(app_, mainWindow_.get());
            calibration.exec();
            break;
        }
        case WindowKey::Wizard: {
            WizardWindow wizard(app_, mainWindow_.get());
            wizard.exec();
            break;
        }
        case WindowKey::Residuals: {
            ResidualsWindow table(app_.residuals, mainWindow_.get());
            table.exec();
            break;
        }
        case WindowKey::Measurements: {
            MeasurementsWindow measurements(app_, mainWindow_.get());
            measurements.exec();
            break;
        }
        case WindowKey::Series: {
            SeriesWindow series(app_, mainWindow_.get());
            series.exec();
            break;
        }
        case WindowKey::About: {
            SplashWindow about(QString::fromStdString(app_.programFile("test.bmp")), mainWindow_.get());
            about.exec();
            break;
        }
        default:
            // The other windows are not part of the program yet.
            break;
    }
}

void QtProgram::openHelp(const QString& page) {
    if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
    helpWindow_->openPage(page);
}

}  // namespace sextrix::ui
