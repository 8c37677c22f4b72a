// Folder listing: directories only, in the file system's own order.
#include "TestSupport.h"
#include "catalogue/Subfolders.h"

#include <QDir>
#include <QFile>
#include <dirent.h>
#include <gtest/gtest.h>

TEST(Subfolders, ListsDirectoriesInEnumerationOrder)
{
    TestSupport::ScratchDir root;
    QDir d(root.path());
    for (const char* name : {"b", "a", "目录", "c.d"}) d.mkdir(QString::fromUtf8(name));
    QFile(root.file("file.sd")).open(QIODevice::WriteOnly);
    QFile::link(root.file("a"), root.file("link-to-a"));

    // The expected order is whatever readdir gives, filtered.
    QStringList expected;
    DIR* dir = opendir(QFile::encodeName(root.path()).constData());
    while (dirent* e = readdir(dir)) {
        const QString n = QFile::decodeName(e->d_name);
        if (n != "." && n != ".." && n != "file.sd") expected << n;
    }
    closedir(dir);
    EXPECT_EQ(ListSubfolders(root.path() + "/"), expected);
    EXPECT_EQ(ListSubfolders(root.path()).size(), 5);
    EXPECT_TRUE(ListSubfolders(root.file("missing")).isEmpty());
}
