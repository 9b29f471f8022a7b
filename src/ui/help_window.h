#pragma once
// The help window: a page of the user manual with its links and pictures.
// One window serves both languages; opening a page brings it to the front.
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace sextrix::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page (an HTML file); its relative links and images are
    // found beside it.
    void openPage(const QString& path);
    QString currentPage() const;
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* home_;
};

}  // namespace sextrix::ui
