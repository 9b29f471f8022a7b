#include "config_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "config/config_handlers.h"

namespace sextrix::ui {

ConfigWindow::ConfigWindow(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("Config");
    setModal(true);
    Config_Form_Load(app_);
    ConfigModel& model = app_.config;
    setWindowTitle(QString::fromStdString(model.caption));

    auto label = [this](Label& source, const char* name) {
        auto* widget = new QLabel;
        widget->setObjectName(name);
        binding_.bind(widget, source);
        return widget;
    };
    auto button = [this](Button& source, const char* name, std::function<void()> handler) {
        auto* widget = new QPushButton;
        widget->setObjectName(name);
        widget->setAutoDefault(false);
        binding_.bind(widget, source);
        connect(widget, &QPushButton::clicked, this, [this, handler] { run(handler); });
        return widget;
    };

    auto* list = new QListWidget;
    list->setObjectName("List1");
    list->setMinimumSize(180, 150);
    bindList(list);
    auto* names = new QVBoxLayout;
    names->addWidget(label(model.Lbl[1], "Lbl1"));
    names->addWidget(list, 1);

    auto* boxes = new QGridLayout;
    const char* boxNames[3] = {"txt_coor0", "txt_coor1", "txt_coor2"};
    const char* labelNames[3] = {"Label40", "Label41", "Label42"};
    for (int k = 0; k < 3; ++k) {
        auto* edit = new QLineEdit;
        edit->setObjectName(boxNames[k]);
        edit->setMinimumWidth(160);
        binding_.bind(edit, model.txt_coor[k], [this, k] { Config_txt_coor_Change(app_, k); });
        boxes->addWidget(label(model.Label4[k], labelNames[k]), k, 0);
        boxes->addWidget(edit, k, 1);
    }
    auto* editing = new QVBoxLayout;
    editing->addWidget(label(model.Lbl[2], "Lbl2"));
    editing->addLayout(boxes);
    editing->addStretch(1);
    auto* use = button(model.cmd3, "cmd3", [this] {
        Config_cmd3_Click(app_);
        accept();
    });
    auto* useRow = new QHBoxLayout;
    useRow->addStretch(1);
    useRow->addWidget(use);
    editing->addLayout(useRow);

    auto* frame = new QWidget;
    frame->setObjectName("Frame1");
    binding_.bindVisible(frame, model.Frame1.visible);
    auto* frameButtons = new QHBoxLayout(frame);
    frameButtons->setContentsMargins(0, 0, 0, 0);
    frameButtons->addWidget(button(model.cmd2, "cmd2", [this] { Config_cmd2_Click(app_); }));
    frameButtons->addWidget(button(model.cmd1, "cmd1", [this] { Config_cmd1_Click(app_); }));
    frameButtons->addStretch(1);
    frameButtons->addWidget(button(model.cmd4, "cmd4", [this] {
        if (Config_cmd4_Click(app_)) accept();
    }));

    auto* columns = new QHBoxLayout;
    columns->addLayout(names, 1);
    columns->addSpacing(16);
    columns->addLayout(editing, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label(model.Lbl[0], "Lbl0"));
    layout->addLayout(columns, 1);
    layout->addWidget(frame);
    layout->setContentsMargins(16, 14, 16, 14);
    binding_.afterHandler = [this] { binding_.refresh(); };
    binding_.refresh();
}

void ConfigWindow::bindList(QListWidget* list) {
    ListBox& box = app_.config.List1;
    connect(list, &QListWidget::currentRowChanged, this, [this, &box](int row) {
        if (row == box.selected) return;
        run([&] {
            box.selected = row;
            Config_List1_Click(app_);
        });
    });
    binding_.custom([list, &box] {
        const QSignalBlocker quiet(list);
        bool same = list->count() == static_cast<int>(box.items.size());
        for (int k = 0; same && k < list->count(); ++k)
            same = list->item(k)->text() == QString::fromStdString(box.items[static_cast<std::size_t>(k)]);
        if (!same) {
            list->clear();
            for (const std::string& name : box.items) list->addItem(QString::fromStdString(name));
        }
        if (list->currentRow() != box.selected) list->setCurrentRow(box.selected);
    });
}

}  // namespace sextrix::ui
