#include "splash_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QVBoxLayout>

#include "form1/download.h"

namespace sextrix::ui {

int nextSplashBarValue(int value) { return value < 97 ? value + 4 : 100; }

namespace {
QLabel* label(const QString& text, const char* name, int pixelSize, bool bold = false) {
    auto* l = new QLabel(text);
    l->setObjectName(name);
    QFont font("Comic Sans MS");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    l->setFont(font);
    l->setAlignment(Qt::AlignCenter);
    return l;
}
}  // namespace

SplashWindow::SplashWindow(const QString& testBitmap, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), testBitmap_(testBitmap) {
    setObjectName("frmSplash");
    setStyleSheet(
        "QDialog#frmSplash { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0b1030, stop:1 #27305a); }"
        "QLabel { color: #e8e8ff; }");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(label("VELORIN Sextrix", "Label1", 30, true));
    layout->addWidget(label(QString("Version ") + programVersion(), "lblVersion", 14));
    layout->addSpacing(12);
    layout->addWidget(label(QString::fromUtf8("Crédits:"), "Label2", 13, true));
    // The services the shipped hosts.cfg uses, and those it can be set to.
    layout->addWidget(label("VizieR catalogue service, CDS Strasbourg (USNO-A2.0, UCAC4, Gaia DR3)", "Label2", 12));
    layout->addWidget(label("USNO-A2.0 European Southern Observatory database", "Label2", 12));
    layout->addWidget(label("SkyBoT asteroid service, IMCCE, Paris Observatory", "Label2", 12));
    layout->addWidget(label("Minor Planet Center online services", "Label2", 12));
    layout->addWidget(label("OpenNGC catalogue of NGC and IC objects (CC-BY-SA 4.0)", "Label2", 12));
    layout->addWidget(label("Qt toolkit (LGPL)", "Label2", 12));
    layout->addWidget(label("velorin-sextrix.org", "Label3", 11));
    layout->addSpacing(12);
    barCaption_ = new QLabel("LOADING...");
    barCaption_->setObjectName("BarT");
    barCaption_->setFont(QFont("Sans Serif", 8));
    barCaption_->hide();
    bar_ = new QProgressBar;
    bar_->setObjectName("Bar");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->hide();
    layout->addWidget(barCaption_);
    layout->addWidget(bar_);
    setFixedSize(sizeHint().expandedTo(QSize(460, 300)));
    timer_.setInterval(1);
    connect(&timer_, &QTimer::timeout, this, &SplashWindow::tick);
}

void SplashWindow::startProgress() { timer_.start(); }

int SplashWindow::barValue() const { return bar_->value(); }

void SplashWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    // Only the about box closes; during start-up the bar is showing.
    const bool about = bar_->isHidden();
    // The picture is a by-product for checking the window's look; a failed
    // save must not disturb the start-up or the about box.
    grab().save(testBitmap_, "BMP");
    if (about) accept();
}

void SplashWindow::tick() {
    bar_->show();
    barCaption_->show();
    bar_->setValue(nextSplashBarValue(bar_->value()));
    if (bar_->value() == 100) timer_.setInterval(500);
}

}  // namespace sextrix::ui
