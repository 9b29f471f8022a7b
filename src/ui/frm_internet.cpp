#include "frm_internet.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "frminternet/frm_internet_handlers.h"

namespace sextrix::ui {

FrmInternet::FrmInternet(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("frmInternet");
    setModal(true);
    FrmInternet_Load(app_);
    FrmInternetModel& model = app_.frmInternet;
    setWindowTitle(QString::fromStdString(model.caption));

    auto* layout = new QVBoxLayout(this);
    for (int k = 0; k < 3; ++k) {
        auto* check = new QCheckBox;
        check->setObjectName(QString("Chk%1").arg(k));
        binding_.bind(check, model.Chk[k]);
        layout->addWidget(check);
    }
    auto* explanation = new QLabel;
    explanation->setObjectName("Lbl");
    explanation->setWordWrap(true);
    binding_.bind(explanation, model.Lbl);
    layout->addWidget(explanation);
    auto* ok = new QPushButton;
    ok->setObjectName("cmdOK");
    binding_.bind(ok, model.cmdOK);
    connect(ok, &QPushButton::clicked, this, [this] {
        FrmInternet_cmdOK_Click(app_);
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setContentsMargins(20, 16, 20, 16);
    setMinimumWidth(460);
    binding_.refresh();
}

}  // namespace sextrix::ui
