#include "startup/ReportList.h"
#include "startup/Twips.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {
enum Role { KeyRole = Qt::UserRole + 1, IconRole };

Qt::Alignment QtAlignment(ReportList::Alignment a)
{
    switch (a) {
    case ReportList::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ReportList::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
} // namespace

int MouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

void ReportList::AddColumn(const QString& heading, int widthTwips, Alignment alignment)
{
    const int column = columnCount();
    setColumnCount(column + 1);
    alignments_.append(alignment);
    QTreeWidgetItem* h = headerItem();
    h->setText(column, heading);
    h->setTextAlignment(column, QtAlignment(alignment));
    setColumnWidth(column, Twips::ToPixels(widthTwips));
}

void ReportList::SetColumnAlignment(int column, Alignment alignment)
{
    if (column < 1 || column > columnCount()) return;
    alignments_[column - 1] = alignment;
    headerItem()->setTextAlignment(column - 1, QtAlignment(alignment));
    for (int i = 0; i < topLevelItemCount(); ++i) topLevelItem(i)->setTextAlignment(column - 1, QtAlignment(alignment));
}

void ReportList::RemoveAllColumns()
{
    RemoveAllRows();
    alignments_.clear();
    headerItem()->setText(0, QString());
    setColumnCount(0);
}

int ReportList::AddRow(const QString& key, const QString& text, int smallIcon)
{
    if (!key.isEmpty() && byKey_.contains(key)) return 0;
    auto* item = new QTreeWidgetItem(this);
    item->setData(0, KeyRole, key);
    for (int c = 0; c < alignments_.size(); ++c) item->setTextAlignment(c, QtAlignment(alignments_[c]));
    item->setText(0, text);
    if (checkBoxes_) item->setCheckState(0, Qt::Unchecked);
    if (!key.isEmpty()) byKey_.insert(key, item);
    const int row = topLevelItemCount();
    SetSmallIcon(row, smallIcon);
    return row;
}

void ReportList::RemoveRow(const QString& key)
{
    QTreeWidgetItem* item = byKey_.take(key);
    delete item;
}

void ReportList::RemoveAllRows()
{
    byKey_.clear();
    clear();
}

QTreeWidgetItem* ReportList::Item(int row) const
{
    return row >= 1 && row <= topLevelItemCount() ? topLevelItem(row - 1) : nullptr;
}

QString ReportList::Key(int row) const
{
    const QTreeWidgetItem* item = Item(row);
    return item ? item->data(0, KeyRole).toString() : QString();
}

int ReportList::RowOfKey(const QString& key) const
{
    QTreeWidgetItem* item = byKey_.value(key);
    return item ? indexOfTopLevelItem(item) + 1 : 0;
}

QString ReportList::SubItem(int row, int index) const
{
    const QTreeWidgetItem* item = Item(row);
    return item ? item->text(index) : QString();
}

void ReportList::SetSubItem(int row, int index, const QString& text)
{
    if (QTreeWidgetItem* item = Item(row)) item->setText(index, text);
}

int ReportList::SmallIcon(int row) const
{
    const QTreeWidgetItem* item = Item(row);
    return item ? item->data(0, IconRole).toInt() : 0;
}

void ReportList::SetSmallIcon(int row, int icon)
{
    QTreeWidgetItem* item = Item(row);
    if (!item) return;
    item->setData(0, IconRole, icon);
    item->setIcon(0, icon >= 1 && icon <= icons_.size() ? icons_[icon - 1] : QIcon());
}

bool ReportList::Checked(int row) const
{
    const QTreeWidgetItem* item = Item(row);
    return item && item->checkState(0) == Qt::Checked;
}

void ReportList::SetChecked(int row, bool checked)
{
    if (QTreeWidgetItem* item = Item(row)) item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

int ReportList::SelectedRow() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? 0 : indexOfTopLevelItem(items.first()) + 1;
}

void ReportList::Select(int row, bool ensureVisible)
{
    QTreeWidgetItem* item = Item(row);
    if (!item) return;
    const QSignalBlocker block(this);
    setCurrentItem(item);
    item->setSelected(true);
    if (ensureVisible) scrollToItem(item);
}

void ReportList::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    if (QTreeWidgetItem* item = itemAt(event->position().toPoint()))
        Q_EMIT ItemClick(indexOfTopLevelItem(item) + 1);
}

void ReportList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    const QPointF p = event->position();
    Q_EMIT MouseUp(MouseButtonCode(event->button()), ShiftCode(event->modifiers()), Twips::FromPixels(p.x()),
                   Twips::FromPixels(p.y()));
}

void ReportList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    if (itemAt(event->position().toPoint())) Q_EMIT DblClick();
}
