#include "help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace sextrix::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle("Velorin Sextrix");
    browser_ = new QTextBrowser;
    browser_->setObjectName("HelpBrowser");
    // Web addresses go to the user's browser; pages of the manual stay here.
    browser_->setOpenExternalLinks(true);
    back_ = new QPushButton(QString::fromUtf8("◀"));
    forward_ = new QPushButton(QString::fromUtf8("▶"));
    home_ = new QPushButton(QString::fromUtf8("⌂"));
    auto* bar = new QHBoxLayout;
    for (QPushButton* b : {back_, forward_, home_}) {
        b->setFixedWidth(40);
        bar->addWidget(b);
    }
    bar->addStretch();
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QString("Velorin Sextrix") : title);
    });
    back_->setEnabled(false);
    forward_->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(860, 700);
}

void HelpWindow::openPage(const QString& path) {
    // A new source clears the history, so back and forward stay within a language.
    browser_->setSource(QUrl::fromLocalFile(path));
    browser_->clearHistory();
    show();
    raise();
    activateWindow();
}

QString HelpWindow::currentPage() const { return browser_->source().toLocalFile(); }

}  // namespace sextrix::ui
