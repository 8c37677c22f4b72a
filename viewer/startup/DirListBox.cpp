#include "startup/DirListBox.h"
#include "startup/Drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace {
constexpr int kPathRole = Qt::UserRole;
}

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        setPath(item->data(kPathRole).toString(), top_);
    });
}

bool DirListBox::setPath(const QString& folder, const QString& top)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    const QFileInfo info(clean);
    if (folder.isEmpty() || !info.isDir() || !info.isExecutable()) return false;
    QString newTop = top.isEmpty() ? top_ : QDir::cleanPath(top);
    if (!Drives::IsUnder(clean, newTop)) newTop = QStringLiteral("/");
    const bool moved = clean != path_;
    top_ = newTop;
    path_ = clean;
    Fill();
    if (moved) Q_EMIT changed();
    return true;
}

QString DirListBox::entryPath(int row) const
{
    const QListWidgetItem* it = item(row);
    return it ? it->data(kPathRole).toString() : QString();
}

void DirListBox::Fill()
{
    clear();
    // The chain from the top of the drive down to the open folder.
    QStringList chain;
    for (QString p = path_; ; p = QFileInfo(p).path()) {
        chain.prepend(p);
        if (p == top_ || p == QStringLiteral("/")) break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    int depth = 0;
    for (const QString& p : chain) {
        const QString name = p == top_ ? p : QFileInfo(p).fileName();
        auto* entry = new QListWidgetItem(open, QString(depth * 2, ' ') + name, this);
        entry->setData(kPathRole, p);
        ++depth;
    }
    setCurrentRow(count() - 1);
    // Its sub-folders; hidden ones are the programs' own.
    const QDir dir(path_);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* entry = new QListWidgetItem(closed, QString(depth * 2, ' ') + name, this);
        entry->setData(kPathRole, QDir::cleanPath(dir.filePath(name)));
    }
}
