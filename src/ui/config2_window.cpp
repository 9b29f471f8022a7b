#include "config2_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "config2/config2_handlers.h"

namespace sextrix::ui {

Config2Window::Config2Window(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("Config2");
    setModal(true);
    Config2_Form_Load(app_);
    Config2Model& model = app_.config2;
    setWindowTitle(QString::fromStdString(model.caption));

    // Box k sits at (row, column) with its label lbl k and its unit; the focal
    // length (box 5) stands beside the sensor width.
    struct Place {
        int row, column;
        const char* unit;
    };
    const Place places[6] = {{}, {0, 0, "mm"}, {1, 0, "mm"}, {2, 0, "pixels"}, {3, 0, "pixels"}, {0, 3, "mm"}};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnMinimumWidth(3, 0);
    for (int k = 1; k <= 5; ++k) {
        auto* caption = new QLabel;
        caption->setObjectName(QString("lbl%1").arg(k));
        binding_.bind(caption, model.lbl[k]);
        auto* edit = new QLineEdit;
        edit->setObjectName(QString("txt%1").arg(k));
        edit->setFixedWidth(90);
        binding_.bind(edit, model.txt[k]);
        const int column = places[k].column == 0 ? 0 : 4;
        grid->addWidget(caption, places[k].row, column);
        grid->addWidget(edit, places[k].row, column + 1);
        grid->addWidget(new QLabel(places[k].unit), places[k].row, column + 2);
    }
    grid->setColumnMinimumWidth(3, 24);

    auto* heading = new QLabel;
    heading->setObjectName("lbl0");
    binding_.bind(heading, model.lbl[0]);
    auto* compute = new QPushButton;
    compute->setObjectName("cmd1");
    binding_.bind(compute, model.cmd1);
    connect(compute, &QPushButton::clicked, this, [this] {
        Config2_cmd1_Click(app_);
        binding_.refresh();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(compute);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setContentsMargins(16, 14, 16, 14);
    binding_.refresh();
}

}  // namespace sextrix::ui
