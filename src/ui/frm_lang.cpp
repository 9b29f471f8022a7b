#include "frm_lang.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frmlang/frm_lang_handlers.h"
#include "lang/language_choice.h"

namespace sextrix::ui {

FrmLang::FrmLang(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName("FrmLang");
    setWindowTitle(QString::fromUtf8("Choix de langue"));
    setModal(true);
    auto* label = new QLabel(QString::fromUtf8("Veuillez choisir votre langue.\nPlease choose your language."));
    label->setObjectName("Label1");
    label->setAlignment(Qt::AlignCenter);
    auto* french = new QPushButton(QString::fromUtf8("Français"));
    french->setObjectName("Command1");
    auto* english = new QPushButton("English");
    english->setObjectName("OKButton");
    for (QPushButton* button : {french, english}) {
        button->setMinimumSize(120, 48);
        button->setAutoDefault(false);
    }
    connect(french, &QPushButton::clicked, this, [this] { choose(0); });
    connect(english, &QPushButton::clicked, this, [this] { choose(1); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(french);
    buttons->addWidget(english);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(buttons);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(16);
}

void FrmLang::choose(int language) {
    if (chooseLanguage(app_, language == 0 ? Language::French : Language::English)) accept();
}

}  // namespace sextrix::ui
