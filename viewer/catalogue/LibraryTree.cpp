#include "catalogue/LibraryTree.h"
#include "ModExplor.h"
#include "catalogue/BilingualName.h"
#include "catalogue/Subfolders.h"
#include "catalogue/frmExplore.h"
#include "catalogue/CatalogueFiles.h"
#include "startup/DataAccess.h"
#include "startup/KeyedTree.h"
#include "startup/PaintThrottle.h"
#include "startup/ScrollArea.h"
#include "startup/TextRules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

namespace LibraryTree {

namespace {

constexpr int SeriesPicture = 1;
constexpr int CataloguePicture = 4;
constexpr qint64 kRepaintMs = 100;

struct RootRow {
    QString libraryPath, key, name;
};

// The Root row of one catalogue database; false when the file cannot be opened or read, or has no Root row.
bool ReadRootRow(const QString& databasePath, RootRow& row)
{
    try {
        Connection connection;
        connection.Open(DatabaseConnectionText(databasePath));
        Recordset records;
        records.Open(QStringLiteral("Select * from tblBook where 级 ='Root' "), connection);
        if (records.Eof()) return false;
        row.libraryPath = TextRules::DisplayText(records.Fields(QStringLiteral("归属")));
        row.key = TextRules::DisplayText(records.Fields(QStringLiteral("图号")));
        row.name = TextRules::DisplayText(records.Fields(QStringLiteral("名称"))).toUpper();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

struct Series {
    QString key, name;
};

// The tokens of a library path ("key:name" joined by "-"). False when the path is empty or a token has no
// ":" or an empty key: such a catalogue is shown at the top level rather than at a guessed place.
bool ParseLibraryPath(const QString& path, QVector<Series>& series)
{
    QString rest = path + QLatin1Char('-');
    while (rest.contains(QLatin1Char('-'))) {
        const qsizetype dash = rest.indexOf(QLatin1Char('-'));
        const QString token = rest.left(dash);
        rest = rest.mid(dash + 1);
        const qsizetype colon = token.indexOf(QLatin1Char(':'));
        if (colon <= 0) return false;
        series.append({token.left(colon), token.mid(colon + 1).toUpper()});
    }
    return true;
}

QString NodeText(const QString& name, bool english) { return english ? EnglishPart(name) : name; }

void AddCatalogue(KeyedTree& tree, const QString& folder, const RootRow& row, bool english)
{
    QVector<Series> series;
    QString parentKey;
    if (ParseLibraryPath(row.libraryPath, series)) {
        // A key already in the tree (an earlier catalogue's series) is not added again; the node that has it,
        // with the text it got first, is the parent of the rest of the path.
        for (const Series& s : series) {
            if (QTreeWidgetItem* node = tree.Add(parentKey, s.key, NodeText(s.name, english), SeriesPicture))
                node->setExpanded(true);
            parentKey = s.key;
        }
    }
    if (QTreeWidgetItem* node = tree.Add(parentKey, row.key, NodeText(row.name, english), CataloguePicture))
        KeyedTree::SetTag(node, folder);
}

} // namespace

void BuildLibraryTree(const QString& dataPath, KeyedTree* tree)
{
    const QPointer<KeyedTree> guard(tree);
    const bool english = ModExplor::IsEnglish();
    const QStringList names = ListSubfolders(dataPath);
    // Pending events run before every catalogue; the tree repaints only a few times a second while it grows.
    PaintThrottle throttle(tree, kRepaintMs);
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        throttle.Step([] { QCoreApplication::processEvents(); });
        if (!guard) return;
        const QString folder = dataPath + names[i] + QLatin1Char('/');
        const QString database = CatalogueFiles::Find(folder, CatalogueFiles::Database);
        if (!QFileInfo(database).isFile()) continue;
        RootRow row;
        if (ReadRootRow(database, row)) AddCatalogue(*tree, folder, row, english);
    }
}

void RefreshLibrary(frmExplore& window)
{
    const QPointer<frmExplore> guard(&window);
    QCoreApplication::processEvents();
    if (!guard) return;
    ModExplor::MouseTool = 1;
    window.TVbooks->RemoveAll();
    window.TVbook->RemoveAll();
    BuildLibraryTree(ModExplor::DataPath, window.TVbooks);
    if (!guard) return;
    window.repaint();
    window.S1->SetContentHeight(0);
    window.S1->SetContentWidth(0);
    QCoreApplication::processEvents();
}

} // namespace LibraryTree
