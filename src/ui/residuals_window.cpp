#include "residuals_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "table_cells.h"

namespace sextrix::ui {
namespace {

// The numbers of the table are read back from the text shown.
QTableWidgetItem* cell(const std::string& text, bool numeric) {
    bool isNumber = false;
    const double value = QString::fromStdString(text).replace(',', '.').toDouble(&isNumber);
    return tableCell(text, numeric && isNumber ? std::optional(value) : std::nullopt);
}

}  // namespace

ResidualsWindow::ResidualsWindow(const ResidualsModel& model, QWidget* parent) : QDialog(parent) {
    setObjectName("residuals");
    setModal(true);
    setWindowTitle(QString::fromStdString(model.caption));

    auto* table = new QTableWidget(static_cast<int>(model.rows.size()), static_cast<int>(model.columns.size()));
    table->setObjectName("residualTable");
    QStringList headers;
    for (const std::string& column : model.columns) headers << QString::fromStdString(column);
    table->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < static_cast<int>(model.rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(model.columns.size()); ++c)
            table->setItem(
                r, c, cell(model.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], c >= 1 && c <= 4));
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSortingEnabled(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* summary = new QLabel(QString::fromStdString(model.summary));
    summary->setObjectName("residualSummary");
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table, 1);
    layout->addWidget(buttons);
    resize(560, 480);
}

}  // namespace sextrix::ui
