#include "series_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(find);
    buttons->addWidget(measure);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frames_, 3);
    layout->addWidget(candidates_, 2);
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
