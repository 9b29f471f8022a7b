#include "measurements_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

#include "form1/measurements.h"
#include "form1/mpc_report.h"
#include "table_cells.h"

namespace sextrix::ui {
namespace {

// Which measurement a row shows, whatever the sorting has made of the order.
constexpr int kIndexRole = Qt::UserRole;

QPushButton* button(const Button& model, const char* name) {
    auto* b = new QPushButton(QString::fromStdString(model.caption));
    b->setObjectName(name);
    return b;
}

}  // namespace

MeasurementsWindow::MeasurementsWindow(App& app, QWidget* parent) : QDialog(parent), app_(app) {
    const MeasurementsModel& model = app_.measurements;
    setObjectName("measurements");
    setModal(true);
    setWindowTitle(QString::fromStdString(model.caption));

    table_ = new QTableWidget(0, MeasurementsModel::kColumns);
    table_->setObjectName("measurementTable");
    QStringList headers;
    for (const std::string& column : model.columns) headers << QString::fromStdString(column);
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // in the order measured until asked
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    connect(table_, &QTableWidget::cellChanged, this, &MeasurementsWindow::designationEdited);

    empty_ = new QLabel(QString::fromStdString(model.empty));
    empty_->setObjectName("measurementsEmpty");

    QPushButton* remove = button(model.cmdDelete, "cmdDelete");
    QPushButton* save = button(model.cmdSave, "cmdSave");
    QPushButton* copy = button(model.cmdCopy, "cmdCopy");
    QPushButton* close = button(model.cmdClose, "cmdClose");
    connect(remove, &QPushButton::clicked, this, &MeasurementsWindow::deleteSelected);
    connect(save, &QPushButton::clicked, this, [this] { mnu_savereport_Click(app_); });
    connect(copy, &QPushButton::clicked, this, [this] { mnu_copyreport_Click(app_); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(copy);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(empty_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(900, 320);
    fillTable();
}

void MeasurementsWindow::fillTable() {
    const MeasurementsModel& model = app_.measurements;
    const QSignalBlocker quiet(table_);
    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(model.rows.size()));
    for (int r = 0; r < static_cast<int>(model.rows.size()); ++r) {
        const MeasurementsModel::Row& row = model.rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < MeasurementsModel::kColumns; ++c) {
            const auto k = static_cast<std::size_t>(c);
            QTableWidgetItem* item = tableCell(row.cells[k], row.sortValues[k]);
            item->setData(kIndexRole, r);
            if (c == 0) item->setFlags(item->flags() | Qt::ItemIsEditable);
            table_->setItem(r, c, item);
        }
    }
    table_->setSortingEnabled(true);
    empty_->setVisible(model.rows.empty());
}

void MeasurementsWindow::designationEdited(int row, int column) {
    if (column != 0) return;
    const QTableWidgetItem* item = table_->item(row, column);
    if (!item) return;
    renameMeasurement(app_, item->data(kIndexRole).toInt(), item->text().toStdString());
    fillTable();  // the name taken, or the old one back after a refusal
}

void MeasurementsWindow::deleteSelected() {
    QSet<int> indices;
    for (const QTableWidgetItem* item : table_->selectedItems()) indices.insert(item->data(kIndexRole).toInt());
    if (indices.isEmpty()) return;
    deleteMeasurements(app_, std::vector<int>(indices.begin(), indices.end()));
    fillTable();
}

}  // namespace sextrix::ui
