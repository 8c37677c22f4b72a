// Tree view whose nodes are found by a key unique in the whole tree (the library and book trees).
#pragma once

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

class KeyedTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit KeyedTree(QWidget* parent = nullptr);

    // Pictures of the node picture numbers (from 1).
    void SetImageList(const QList<QIcon>& images) { images_ = images; }

    // Adds a node at the top level (empty parentKey) or below the node with parentKey. Fails (nullptr)
    // when the key is used anywhere in the tree or the parent key is missing. A node without a key
    // never collides and cannot be found by key.
    QTreeWidgetItem* Add(const QString& parentKey, const QString& key, const QString& text, int picture);
    QTreeWidgetItem* Node(const QString& key) const { return byKey_.value(key); }
    int Count() const { return byKey_.size(); }
    void RemoveAll();

    static QString Key(const QTreeWidgetItem* node);
    static QString Tag(const QTreeWidgetItem* node);
    static void SetTag(QTreeWidgetItem* node, const QString& tag);
    static int Picture(const QTreeWidgetItem* node);

    QTreeWidgetItem* SelectedNode() const;
    // Selects in code: no click event.
    void Select(QTreeWidgetItem* node);

Q_SIGNALS:
    // Every mouse click in the control, also on the expand box and on the node already selected.
    // Moving the selection with the keyboard raises none.
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QHash<QString, QTreeWidgetItem*> byKey_;
    QList<QIcon> images_;
};
