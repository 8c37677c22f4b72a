// Toolbar whose buttons are known by position (from 1) and key, with tooltips, a pressed state and
// drop-down menus. A click raises ButtonClick with the button's key; a drop-down item raises
// ButtonMenuClick with the key and the item's text. Buttons carry their key as objectName.
#pragma once

#include <QIcon>
#include <QToolBar>

class QToolButton;

class KeyedToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit KeyedToolbar(QWidget* parent = nullptr);

    // Adds the next position. An empty key makes a separator.
    QToolButton* AddButton(const QString& key, const QString& tooltip = QString(), const QIcon& icon = QIcon());
    void AddSeparator();
    void SetButtonMenu(const QString& key, const QStringList& items);

    int Count() const { return positions_.size(); }
    QString Key(int position) const;
    QToolButton* Button(const QString& key) const;
    void SetTooltip(const QString& key, const QString& tooltip);
    void SetPressed(const QString& key, bool pressed);
    bool Pressed(const QString& key) const;

Q_SIGNALS:
    void ButtonClick(const QString& key);
    void ButtonMenuClick(const QString& key, const QString& itemText);

private:
    QList<QString> positions_;   // key per position, "" for separators
};
