#include "app/keys_window.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/main_menu.h"
#include "app/style.h"

namespace sumaris {

KeysWindow::KeysWindow(QWidget* parent) : ChildWindow(parent) {
  setObjectName("Keys");
  setWindowTitle("Keys");
  const std::vector<KeyRow> rows = KeyRows();
  table_ = new QTableWidget(static_cast<int>(rows.size()), 3, this);
  table_->setObjectName("KeyTable");
  table_->setHorizontalHeaderLabels({"Keys", "Action", "What it does"});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setFocusPolicy(Qt::NoFocus);
  table_->setWordWrap(false);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    auto* keys = new QTableWidgetItem(rows[static_cast<std::size_t>(r)].keys);
    QFont bold = keys->font();
    bold.setBold(true);
    keys->setFont(bold);
    table_->setItem(r, 0, keys);
    table_->setItem(r, 1, new QTableWidgetItem(rows[static_cast<std::size_t>(r)].action));
    table_->setItem(r, 2, new QTableWidgetItem(rows[static_cast<std::size_t>(r)].what));
  }
  table_->resizeColumnsToContents();
  table_->resizeRowsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_);
  // Small: just the table.
  int width = table_->verticalHeader()->width() + 4;
  for (int c = 0; c < table_->columnCount(); ++c)
    width += table_->columnWidth(c);
  int height = table_->horizontalHeader()->height() + 4;
  for (int r = 0; r < table_->rowCount(); ++r)
    height += table_->rowHeight(r);
  resize(width + 8, height);
}

}  // namespace sumaris
