#include "startup/KeyedTree.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace {
enum Role { KeyRole = Qt::UserRole + 1, TagRole, PictureRole };
}

KeyedTree::KeyedTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
}

QTreeWidgetItem* KeyedTree::Add(const QString& parentKey, const QString& key, const QString& text, int picture)
{
    if (!key.isEmpty() && byKey_.contains(key)) return nullptr;
    QTreeWidgetItem* parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = byKey_.value(parentKey);
        if (!parent) return nullptr;
    }
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, text);
    node->setData(0, KeyRole, key);
    node->setData(0, PictureRole, picture);
    if (picture >= 1 && picture <= images_.size()) node->setIcon(0, images_[picture - 1]);
    if (!key.isEmpty()) byKey_.insert(key, node);
    return node;
}

void KeyedTree::RemoveAll()
{
    byKey_.clear();
    clear();
}

QString KeyedTree::Key(const QTreeWidgetItem* node) { return node ? node->data(0, KeyRole).toString() : QString(); }
QString KeyedTree::Tag(const QTreeWidgetItem* node) { return node ? node->data(0, TagRole).toString() : QString(); }
void KeyedTree::SetTag(QTreeWidgetItem* node, const QString& tag) { if (node) node->setData(0, TagRole, tag); }
int KeyedTree::Picture(const QTreeWidgetItem* node) { return node ? node->data(0, PictureRole).toInt() : 0; }

QTreeWidgetItem* KeyedTree::SelectedNode() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

void KeyedTree::Select(QTreeWidgetItem* node)
{
    if (!node) return;
    setCurrentItem(node);
    node->setSelected(true);
    scrollToItem(node);
}

void KeyedTree::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    Q_EMIT Click();
}
