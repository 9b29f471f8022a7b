#include "report_settings_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "reportsettings/report_settings_handlers.h"

namespace sextrix::ui {

ReportSettingsWindow::ReportSettingsWindow(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("reportSettings");
    setModal(true);
    ReportSettings_Load(app_);
    ReportSettingsModel& model = app_.reportSettings;
    setWindowTitle(QString::fromStdString(model.caption));

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    constexpr int kShort = 90;  // a code or a number; the other boxes take the rest
    addRow(form, model.station, "station", kShort);
    addRow(form, model.contactName, "contactName");
    addRow(form, model.contactAddress, "contactAddress");
    addRow(form, model.contactEmail, "contactEmail");
    addRow(form, model.observers, "observers");
    addRow(form, model.measurers, "measurers");
    addRow(form, model.aperture, "aperture", kShort);
    addRow(form, model.focalRatio, "focalRatio", kShort);
    addRow(form, model.telescopeDesign, "telescopeDesign");
    auto* detectorLabel = new QLabel;
    detectorLabel->setObjectName("lbl_detector");
    binding_.bind(detectorLabel, model.detectorLabel);
    auto* detector = new QComboBox;
    detector->setObjectName("detector");
    detector->setFixedWidth(kShort);
    binding_.bind(detector, model.detector);
    form->addRow(detectorLabel, detector);
    addRow(form, model.acknowledgementEmails, "acknowledgementEmails");
    addRow(form, model.comment, "comment");
    addRow(form, model.cameraUtcOffset, "cameraUtcOffset", kShort);

    auto* save = new QPushButton;
    save->setObjectName("cmdSave");
    save->setDefault(true);
    binding_.bind(save, model.cmdSave);
    connect(save, &QPushButton::clicked, this, [this] {
        if (ReportSettings_cmdSave_Click(app_)) accept();
    });
    auto* cancel = new QPushButton;
    cancel->setObjectName("cmdCancel");
    binding_.bind(cancel, model.cmdCancel);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setContentsMargins(16, 14, 16, 14);
    binding_.refresh();
}

void ReportSettingsWindow::addRow(QFormLayout* form, LabelledBox& field, const char* name, int width) {
    auto* label = new QLabel;
    label->setObjectName(QString("lbl_") + name);
    binding_.bind(label, field.label);
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (width > 0)
        edit->setFixedWidth(width);
    else
        edit->setMinimumWidth(320);
    binding_.bind(edit, field.box);
    label->setBuddy(edit);
    form->addRow(label, edit);
}

}  // namespace sextrix::ui
