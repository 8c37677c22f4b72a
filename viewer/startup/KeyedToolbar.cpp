#include "startup/KeyedToolbar.h"

#include <QMenu>
#include <QToolButton>

KeyedToolbar::KeyedToolbar(QWidget* parent) : QToolBar(parent)
{
    setMovable(false);
    setIconSize(QSize(24, 24));
}

QToolButton* KeyedToolbar::AddButton(const QString& key, const QString& tooltip, const QIcon& icon)
{
    if (key.isEmpty()) {
        AddSeparator();
        return nullptr;
    }
    auto* button = new QToolButton(this);
    button->setObjectName(key);
    button->setToolTip(tooltip);
    button->setIcon(icon);
    button->setAutoRaise(true);
    addWidget(button);
    positions_.append(key);
    connect(button, &QToolButton::clicked, this, [this, key] { Q_EMIT ButtonClick(key); });
    return button;
}

void KeyedToolbar::AddSeparator()
{
    addSeparator();
    positions_.append(QString());
}

void KeyedToolbar::SetButtonMenu(const QString& key, const QStringList& items)
{
    QToolButton* button = Button(key);
    if (!button) return;
    auto* menu = new QMenu(button);
    for (const QString& text : items) {
        QAction* a = menu->addAction(text);
        connect(a, &QAction::triggered, this, [this, key, text] { Q_EMIT ButtonMenuClick(key, text); });
    }
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
}

QString KeyedToolbar::Key(int position) const
{
    return position >= 1 && position <= positions_.size() ? positions_[position - 1] : QString();
}

QToolButton* KeyedToolbar::Button(const QString& key) const
{
    return key.isEmpty() ? nullptr : findChild<QToolButton*>(key, Qt::FindDirectChildrenOnly);
}

void KeyedToolbar::SetTooltip(const QString& key, const QString& tooltip)
{
    if (QToolButton* b = Button(key)) b->setToolTip(tooltip);
}

void KeyedToolbar::SetPressed(const QString& key, bool pressed)
{
    if (QToolButton* b = Button(key)) {
        b->setCheckable(true);
        b->setChecked(pressed);
    }
}

bool KeyedToolbar::Pressed(const QString& key) const
{
    QToolButton* b = Button(key);
    return b && b->isChecked();
}
