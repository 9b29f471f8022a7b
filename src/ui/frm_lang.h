#pragma once
// The language chooser. Its texts are fixed and bilingual: no language is
// known yet when it first shows.
#include <QDialog>

#include "model/app.h"

namespace sextrix::ui {

class FrmLang : public QDialog {
    Q_OBJECT
public:
    FrmLang(App& app, QWidget* parent);

private:
    void choose(int language);
    App& app_;
};

}  // namespace sextrix::ui
