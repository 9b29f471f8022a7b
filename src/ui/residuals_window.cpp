#include "residuals_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sextrix::ui {
namespace {

// Numbers sort as numbers, whatever the decimal separator shown.
QTableWidgetItem* cell(const std::string& text, bool numeric) {
    auto* item = new QTableWidgetItem;
    const QString shown = QString::fromStdString(text);
    bool isNumber = false;
    const double value = QString(shown).replace(',', '.').toDouble(&isNumber);
    if (numeric && isNumber) {
        item->setData(Qt::EditRole, value);
        item->setData(Qt::DisplayRole, shown);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else {
        item->setText(shown);
    }
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
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
            table->setItem(r, c, cell(model.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], c >= 1 && c <= 4));
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSortingEnabled(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* summary = new QLabel(QString::fromStdString(model.summary));
    summary->setObjectName("residualSummary");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(table, 1);
    layout->addWidget(buttons);
    resize(560, 480);
}

}  // namespace sextrix::ui
