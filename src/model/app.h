#pragma once
// One running program: the shared context, the window models and the
// platform. Every handler takes it.
#include "app_context.h"
#include "form1_model.h"
#include "state/platform.h"
#include "window_models.h"
#include "windows_only.h"

namespace sextrix {

struct App {
    explicit App(Platform& p) : platform(p) {}
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    AppContext ctx;
    Form1Model form1;
    ConfigModel config;
    Config2Model config2;
    WizardModel wizard;
    FrmInternetModel frmInternet;
    ReportSettingsModel reportSettings;
    ResidualsModel residuals;
    MeasurementsModel measurements;
    SeriesModel series;
    Platform& platform;

    WorkingState& ws() { return form1.ws; }
    // A file the program writes (and reads back), in programFolder.
    std::string programFile(const std::string& name) const;
    // A read-only file shipped with the program, in dataFolder.
    std::string dataFile(const std::string& name) const;
};

}  // namespace sextrix
