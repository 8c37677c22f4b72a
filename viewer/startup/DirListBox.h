// A folder list in the manner of a classic directory list box: the open folder's chain from the top of its
// drive down to it, then its sub-folders. Opening an entry (double click, Enter) makes it the open folder;
// a single click only highlights it.
#pragma once

#include <QListWidget>

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    // The open folder (no trailing "/" but for the root).
    QString path() const { return path_; }
    // Opens folder and shows it below top (the drive's mount point). Returns false and keeps the open folder
    // when folder is not a folder that can be listed.
    bool setPath(const QString& folder, const QString& top = QString());
    // The folder an entry stands for.
    QString entryPath(int row) const;

Q_SIGNALS:
    void changed();   // another folder was opened

private:
    void Fill();
    QString top_ = QStringLiteral("/");
    QString path_;
};
