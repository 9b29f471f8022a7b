#pragma once
// Start-up of the program and the main window's load handler.
#include "model/app.h"

namespace sextrix {

// The windows that start-up drives, implemented by the Qt layer.
class StartupHost {
public:
    virtual ~StartupHost() = default;
    virtual void showSplash() = 0;  // shown, not modal, its bar timer running
    virtual int splashBarValue() = 0;
    virtual void showMainWindow() = 0;
    virtual void closeSplash() = 0;
};

// Main window load: window handle, asteroid date set to now, defaults read.
void Form_Load(App& app);

// Makes the run-time overlay items: star(1..4000), clicpic(1..5),
// aster/aster_lbl(1..500), deepobj_lbl(1..500), copies of item 0, hidden.
void createOverlayItems(Form1Model& form);

// Makes sure lang.cfg exists (showing the language chooser until it does) and
// reads it into the tables. Throws ReadFailure naming the file, the line and
// the cause when it cannot be read or used.
void LoadLanguage(App& app);

// The start-up procedure. A malformed or unreadable language file propagates
// as ReadFailure; the caller ends the program with its description.
void Main(App& app, StartupHost& host);

}  // namespace sextrix
