#include "series_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "blink_view.h"
#include "form1/series.h"
#include "table_cells.h"

namespace sextrix::ui {
namespace {

template <std::size_t N>
QTableWidget* table(const char* name, const std::array<std::string, N>& columns) {
    auto* t = new QTableWidget(0, static_cast<int>(N));
    t->setObjectName(name);
    QStringList headers;
    for (const std::string& column : columns) headers << QString::fromStdString(column);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

template <std::size_t N>
void fillTable(QTableWidget* t, const std::vector<std::array<std::string, N>>& rows) {
    t->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(N); ++c)
            t->setItem(r, c, tableCell(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], std::nullopt));
}

QPushButton* button(const Button& model, const char* name) {
    auto* b = new QPushButton(QString::fromStdString(model.caption));
    b->setObjectName(name);
    return b;
}

}  // namespace

SeriesWindow::SeriesWindow(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    const SeriesModel& model = app_.series;
    setObjectName("series");
    setModal(true);
    setWindowTitle(QString::fromStdString(model.caption));
    summary_ = new QLabel;
    summary_->setObjectName("seriesSummary");
    summary_->setWordWrap(true);
    frames_ = table("seriesFrames", model.frameColumns);
    candidates_ = table("seriesCandidates", model.candidateColumns);

    QPushButton* find = button(model.cmdFind, "cmdFind");
    QPushButton* measure = button(model.cmdMeasure, "cmdMeasure");
    QPushButton* close = button(model.cmdClose, "cmdClose");
    connect(find, &QPushButton::clicked, this, [this] {
        Series_Find_Click(app_);
        fill();
    });
    connect(measure, &QPushButton::clicked, this, [this] {
        const int row = candidates_->currentRow();
        if (row < 0) return;
        Series_Measure_Click(app_, row);
        fill();
    });
    QPushButton* measureStack = button(model.cmdMeasureStack, "cmdMeasureStack");
    connect(measureStack, &QPushButton::clicked, this, [this] {
        Series_MeasureStack_Click(app_, candidates_->currentRow());
        fill();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* blink = button(model.cmdBlink, "cmdBlink");

    // Blinking: the view, the rate and a step either way (also the arrow keys).
    blink_ = new BlinkView(app_.series);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, [this] { blink_->step(1); });
    rate_ = new QSpinBox;
    rate_->setObjectName("blinkRate");
    rate_->setRange(1, 20);
    rate_->setValue(4);
    rate_->setSuffix(" " + QString::fromStdString(model.blinkRateUnit));
    connect(rate_, &QSpinBox::valueChanged, this, [this](int perSecond) { timer_->setInterval(1000 / perSecond); });
    auto* previous = new QPushButton("<");
    auto* next = new QPushButton(">");
    // The arrow keys step too once blinking has started (the tables keep them before).
    std::vector<QShortcut*> keys;
    for (auto [control, key, by] : {std::tuple{previous, Qt::Key_Left, -1}, std::tuple{next, Qt::Key_Right, 1}}) {
        auto stepBy = [this, by] {
            timer_->stop();
            blink_->step(by);
        };
        connect(control, &QPushButton::clicked, this, stepBy);
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setEnabled(false);
        connect(shortcut, &QShortcut::activated, this, stepBy);
        keys.push_back(shortcut);
    }
    // The sky under the pointer; a click on the object on two frames marks it.
    auto* pointer = new QLabel;
    pointer->setObjectName("blinkPointer");
    connect(blink_, &BlinkView::pointed, this, [this, pointer](double x, double y) {
        pointer->setText(QString::fromStdString(seriesPointerText(app_, x, y)));
    });
    connect(blink_, &BlinkView::clicked, this, [this](double x, double y) {
        timer_->stop();
        const bool added = Series_Mark_Click(app_, blink_->shown(), x, y);
        fill();
        if (added) candidates_->selectRow(candidates_->rowCount() - 1);
        blink_->update();
    });
    blinkControls_ = new QWidget;
    auto* controls = new QHBoxLayout(blinkControls_);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->addWidget(previous);
    controls->addWidget(next);
    controls->addWidget(rate_);
    controls->addStretch(1);
    controls->addWidget(pointer);
    blink_->hide();
    blinkControls_->hide();
    auto showBlinking = [this, keys] {
        blink_->reload();
        blink_->show();
        blinkControls_->show();
        for (QShortcut* key : keys) key->setEnabled(true);
        panes_->setStretch(1, 2);
        resize(std::max(width(), 1300), std::max(height(), 600));
    };
    connect(blink, &QPushButton::clicked, this, [this, showBlinking] {
        Series_Blink_Click(app_);
        showBlinking();
        timer_->start(1000 / rate_->value());
    });
    // The stack is shown still, as the last frame; the arrows step to the others.
    QPushButton* stack = button(model.cmdStack, "cmdStack");
    connect(stack, &QPushButton::clicked, this, [this, showBlinking] {
        Series_Stack_Click(app_, candidates_->currentRow());
        showBlinking();
        timer_->stop();
        blink_->step(-1);
        fill();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(find);
    buttons->addWidget(measure);
    buttons->addWidget(blink);
    buttons->addWidget(stack);
    buttons->addWidget(measureStack);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* lists = new QVBoxLayout;
    lists->addWidget(frames_, 3);
    lists->addWidget(candidates_, 2);
    auto* blinking = new QVBoxLayout;
    blinking->addWidget(blink_, 1);
    blinking->addWidget(blinkControls_);
    // The blinking pane takes room only once shown.
    panes_ = new QHBoxLayout;
    panes_->addLayout(lists, 1);
    panes_->addLayout(blinking, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes_, 1);
    layout->addWidget(summary_);
    layout->addLayout(buttons);
    resize(760, 520);
    fill();
}

void SeriesWindow::fill() {
    const SeriesModel& model = app_.series;
    fillTable(frames_, model.frameRows);
    fillTable(candidates_, model.candidateRows);
    if (!model.candidateRows.empty() && candidates_->currentRow() < 0) candidates_->selectRow(0);
    summary_->setText(QString::fromStdString(model.summary));
}

}  // namespace sextrix::ui
