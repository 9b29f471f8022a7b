#include "wizard_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "form1/image_file.h"
#include "wizard/wizard_handlers.h"

namespace sextrix::ui {
namespace {

QLabel* unit(const QString& text) { return new QLabel(text); }

QLabel* heading(QLabel* label) {
    label->setStyleSheet("font-weight: bold;");
    label->setWordWrap(true);
    return label;
}

}  // namespace

WizardWindow::WizardWindow(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("Wizard");
    setModal(true);
    Wizard_Form_Load(app_);
    const WizardModel& model = app_.wizard;
    setWindowTitle(QString::fromStdString(model.caption));

    auto* pages = new QStackedWidget;
    pages->setObjectName("pages");
    QWidget* frames[3] = {fieldPage(), scalePage(), settingsPage()};
    const char* frameNames[3] = {"Frame1", "Frame2", "Frame3"};
    for (int k = 0; k < 3; ++k) {
        frames[k]->setObjectName(frameNames[k]);
        pages->addWidget(frames[k]);
    }
    // The model says which frame shows; the stack shows that one alone.
    binding_.custom([this, pages, frames] {
        const Frame* shown[3] = {&app_.wizard.Frame1, &app_.wizard.Frame2, &app_.wizard.Frame3};
        for (int k = 0; k < 3; ++k)
            if (shown[k]->visible && pages->currentWidget() != frames[k]) pages->setCurrentWidget(frames[k]);
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->setContentsMargins(16, 14, 16, 14);
    binding_.afterHandler = [this] { binding_.refresh(); };
    binding_.refresh();
}

QLabel* WizardWindow::label(Label& source, const QString& name) {
    auto* widget = new QLabel;
    widget->setObjectName(name);
    binding_.bind(widget, source);
    return widget;
}

QLineEdit* WizardWindow::edit(TextBox& source, const QString& name, int width) {
    auto* widget = new QLineEdit;
    widget->setObjectName(name);
    widget->setFixedWidth(width);
    binding_.bind(widget, source);
    return widget;
}

QPushButton* WizardWindow::stepButton(Button& source, const char* name, int step, std::function<void()> handler) {
    auto* widget = new QPushButton;
    widget->setObjectName(name);
    binding_.bind(widget, source);
    binding_.custom([this, widget, step] { widget->setDefault(app_.wizard.defaultStep == step); });
    connect(widget, &QPushButton::clicked, this, [this, handler] {
        handler();
        binding_.refresh();
    });
    return widget;
}

QWidget* WizardWindow::fieldPage() {
    WizardModel& model = app_.wizard;
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);

    grid->addWidget(label(model.Lbl[1], "Lbl1"), 0, 0);
    auto* ra = new QHBoxLayout;
    const char* raUnits[3] = {"h", "m", "s"};
    for (int k = 0; k < 3; ++k) {
        ra->addWidget(edit(model.txt_ra[k], QString("txt_ra%1").arg(k), 42));
        ra->addWidget(unit(raUnits[k]));
    }
    ra->addStretch(1);
    grid->addLayout(ra, 0, 1);

    grid->addWidget(label(model.Lbl[2], "Lbl2"), 1, 0);
    auto* dec = new QHBoxLayout;
    QLabel* sign = label(model.txt_dec_sign_show, "txt_dec_sign_show");
    sign->setFixedWidth(14);
    sign->setStyleSheet("font-weight: bold;");
    dec->addWidget(sign);
    const char* decUnits[3] = {"°", "'", "\""};
    for (int k = 0; k < 3; ++k) {
        dec->addWidget(edit(model.txt_dec[k], QString("txt_dec%1").arg(k), 42));
        dec->addWidget(unit(QString::fromUtf8(decUnits[k])));
    }
    auto* signs = new QButtonGroup(page);
    for (int index : {0, 1}) {
        auto* option = new QRadioButton;
        option->setObjectName(QString("txt_dec_sign%1").arg(index));
        signs->addButton(option, index);
        binding_.custom([this, option, index] {
            const CheckBox& box = app_.wizard.txt_dec_sign[static_cast<std::size_t>(index)];
            option->setText(QString::fromStdString(box.caption));
            const QSignalBlocker quiet(option);
            option->setChecked(box.value == 1);
        });
        connect(option, &QRadioButton::clicked, this, [this, index] {
            Wizard_txt_dec_sign_Click(app_, index);
            binding_.refresh();
        });
        dec->addWidget(option);
    }
    dec->addStretch(1);
    grid->addLayout(dec, 1, 1);

    grid->addWidget(label(model.Lbl[3], "Lbl3"), 2, 0);
    grid->addWidget(edit(model.txt_epoch, "txt_epoch", 70), 2, 1, Qt::AlignLeft);
    grid->addWidget(label(model.Lbl[4], "Lbl4"), 3, 0);
    grid->addWidget(edit(model.txt_mag, "txt_mag", 50), 3, 1, Qt::AlignLeft);
    grid->addWidget(label(model.Lbl[5], "Lbl5"), 4, 0);
    QLineEdit* url = edit(model.txt_url, "txt_url", 320);
    url->setMaximumWidth(QWIDGETSIZE_MAX);
    auto* image = new QHBoxLayout;
    image->addWidget(url, 1);
    auto* browse = new QToolButton;
    browse->setObjectName("BrowseImage");
    browse->setText(QString::fromUtf8("…"));
    connect(browse, &QToolButton::clicked, this, [this] {
        chooseImageFile(app_, app_.wizard.txt_url);
        binding_.refresh();
    });
    image->addWidget(browse);
    grid->addLayout(image, 4, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(label(model.Lbl[0], "Lbl0")));
    layout->addLayout(grid);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(stepButton(model.step1, "step1", 1, [this] { Wizard_step1_Click(app_); }));
    layout->addLayout(buttons);
    return page;
}

QWidget* WizardWindow::scalePage() {
    WizardModel& model = app_.wizard;
    auto* page = new QWidget;
    auto* combo = new QComboBox;
    combo->setObjectName("Combo");
    combo->setMinimumWidth(220);
    binding_.bind(combo, model.Combo, [this] { Wizard_Combo_Click(app_); });

    auto* grid = new QGridLayout;
    grid->addWidget(label(model.Lbl[11], "Lbl11"), 0, 0);
    grid->addWidget(combo, 0, 1, Qt::AlignLeft);
    grid->addWidget(label(model.Lbl[14], "Lbl14"), 1, 0);
    grid->addWidget(edit(model.txt_corrasd, "txt_corrasd", 110), 1, 1, Qt::AlignLeft);
    grid->addWidget(label(model.Lbl[15], "Lbl15"), 2, 0);
    grid->addWidget(edit(model.txt_corrdec, "txt_corrdec", 110), 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(label(model.Lbl[10], "Lbl10")));
    layout->addWidget(label(model.Lbl[12], "Lbl12"));
    layout->addWidget(label(model.Lbl[13], "Lbl13"));
    layout->addLayout(grid);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(stepButton(model.step2, "step2", 2, [this] { Wizard_step2_Click(app_); }));
    layout->addLayout(buttons);
    return page;
}

QWidget* WizardWindow::settingsPage() {
    WizardModel& model = app_.wizard;
    auto* page = new QWidget;
    QLineEdit* tolerance = edit(model.txt_tolerance, "txt_tolerance", 50);
    tolerance->setToolTip(QString::fromStdString(model.txt_tolerance_tip));
    QLineEdit* calcul = edit(model.txt_calcul, "txt_calcul", 50);
    calcul->setToolTip(QString::fromStdString(model.txt_calcul_tip));

    auto* grid = new QGridLayout;
    grid->addWidget(label(model.Lbl[9], "Lbl9"), 0, 0);
    grid->addWidget(tolerance, 0, 1);
    grid->addWidget(unit("pixels"), 0, 2);
    grid->addWidget(label(model.Lbl[7], "Lbl7"), 1, 0);
    grid->addWidget(edit(model.txt_distance, "txt_distance", 50), 1, 1);
    grid->addWidget(unit("arcmin"), 1, 2);
    grid->addWidget(label(model.Lbl[8], "Lbl8"), 2, 0);
    grid->addWidget(calcul, 2, 1);
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading(label(model.Lbl[6], "Lbl6")));
    layout->addLayout(grid);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(stepButton(model.step3, "step3", 3, [this] {
        Wizard_step3_Click(app_);
        accept();
    }));
    layout->addLayout(buttons);
    return page;
}

}  // namespace sextrix::ui
