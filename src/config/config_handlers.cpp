#include "config_handlers.h"

#include <stdexcept>

#include "calibration/optical_configs.h"
#include "form1/captions.h"
#include "form1/config_file.h"
#include "form1/control_writes.h"
#include "form1/run_handler.h"
#include "state/text_encoding.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

constexpr Int16 kChoosing = 2;

// An entry of the window's section that older language files lack: they hold
// the section's marker there, or nothing.
std::string laterConfigEntry(const LanguageTables& lang, int entry, const char* fallback) {
    const std::string& text = lang.configTexts.at(static_cast<std::size_t>(entry));
    if (text.empty() || text.front() == '[') return fallback;
    return text;
}

bool validPosition(const ConfigModel& w, int p) { return p >= 0 && p < static_cast<int>(w.configs.size()); }

void select(App& app, int position) {
    ConfigModel& w = app.config;
    w.List1.selected = position;
    if (validPosition(w, position))
        Config_List1_Click(app);
    else
        for (TextBox& box : w.txt_coor) box.text.clear();
}

void relist(ConfigModel& w) { w.List1.items = configNames(w.configs); }

}  // namespace

void Config_Form_Load(App& app) {
    ConfigModel& w = app.config;
    ApplyCaptions(app, "Config");
    // The name box's label has no entry of its own; the list's heading is the
    // same word in the interface's language ("Nom:", "Name:").
    w.Label4[0].caption = w.Lbl[1].caption;
    const bool choosing = app.form1.ConfigStatus == kChoosing;
    w.Frame1.visible = !choosing;
    w.cmd3.visible = choosing;
    if (choosing) w.Lbl[2].caption.clear();

    w.configs.clear();
    w.fileRefused = false;
    w.List1 = {};
    for (TextBox& box : w.txt_coor) box = {};
    runHandler(app, [&] {
        const std::string path = savedConfigurationsPath(app);
        w.fileRefused = true;
        const std::string text = textFromFile(readFileBytes(path).value());
        // A faulty file shows the entries read before the fault, and says it.
        const Result<void> read = parseConfigFile(text, path, app.ctx.decimalSeparator, w.configs);
        relist(w);
        if (!w.configs.empty()) select(app, 0);
        read.value();
        w.fileRefused = false;
        if (w.configs.empty())
            throw std::runtime_error(laterFormEntry(app.ctx.lang, 151, "%1 holds no optical configuration.", {path}));
    });
}

void Config_List1_Click(App& app) {
    ConfigModel& w = app.config;
    const int p = w.List1.selected;
    if (!validPosition(w, p)) return;
    const OpticalConfig& entry = w.configs[static_cast<std::size_t>(p)];
    w.txt_coor[0].text = entry.name;
    w.txt_coor[1].text = entry.corrAsd;
    w.txt_coor[2].text = entry.corrDec;
}

void Config_txt_coor_Change(App& app, int index) {
    ConfigModel& w = app.config;
    const int p = w.List1.selected;
    if (!validPosition(w, p) || index < 0 || index > 2) return;
    OpticalConfig& entry = w.configs[static_cast<std::size_t>(p)];
    std::string* fields[3] = {&entry.name, &entry.corrAsd, &entry.corrDec};
    *fields[index] = w.txt_coor[static_cast<std::size_t>(index)].text;
}

void Config_cmd2_Click(App& app) {
    ConfigModel& w = app.config;
    if (!addConfig(w.configs)) {
        app.platform.dialogs.message(
            laterConfigEntry(app.ctx.lang, 9, "15 optical configurations at most: delete one to add another."),
            w.caption, false);
        return;
    }
    w.List1.items.push_back(w.configs.back().name);
    // The selection stays where it was; with none, the new entry takes it so
    // that what is typed next has somewhere to go.
    if (!validPosition(w, w.List1.selected)) select(app, static_cast<int>(w.configs.size()) - 1);
}

void Config_cmd1_Click(App& app) {
    ConfigModel& w = app.config;
    if (!validPosition(w, w.List1.selected)) return;
    const int next = deleteConfig(w.configs, w.List1.selected);
    relist(w);
    select(app, next);
}

bool Config_cmd4_Click(App& app) {
    ConfigModel& w = app.config;
    const std::string path = app.programFile("config.cfg");
    if (w.fileRefused && !app.platform.dialogs.askYesNo(path + " could not be read whole when this window opened. "
                                                               "Replace it with the configurations listed here?",
                                                        w.caption))
        return false;
    return runHandler(app, [&] {
        writeFileBytes(path, configFileBytes(w.configs));
        w.fileRefused = false;
        relist(w);
    });
}

void Config_cmd3_Click(App& app) {
    const ConfigModel& w = app.config;
    if (!validPosition(w, w.List1.selected)) return;
    const std::string corrAsd = w.txt_coor[1].text, corrDec = w.txt_coor[2].text;
    setText(app, app.form1.txt_corrasd, corrAsd);
    setText(app, app.form1.txt_corrdec, corrDec);
}

}  // namespace sextrix
