#include "catalogue/BookTree.h"
#include "ModExplor.h"
#include "catalogue/BilingualName.h"
#include "catalogue/frmExplore.h"
#include "catalogue/CatalogueFiles.h"
#include "startup/DataAccess.h"
#include "startup/KeyedTree.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/ScrollArea.h"
#include "startup/Shape.h"
#include "startup/TextRules.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <cmath>

namespace BookTree {

namespace {

constexpr int CataloguePicture = 4;
constexpr int RootPicture = 3;
constexpr int ChapterPicture = 5;
constexpr int DrawingPicture = 6;

QString Text(const Recordset& records, const char* column)
{
    return TextRules::DisplayText(records.Fields(QString::fromUtf8(column)));
}

// Runs one step of the tree filling; a failure skips that step only, so the rest of the tree is still built.
template <class Step> void Skipping(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

// Opens the query and runs row for each of its rows; a row that fails is skipped, the others still come.
template <class Row> void EachRow(Recordset& records, const QString& sql, Connection& connection, Row row)
{
    Skipping([&] {
        records.Open(sql, connection);
        for (; !records.Eof(); records.MoveNext()) Skipping(row);
    });
}

void ClearPage(frmExplore& w)
{
    w.TVbook->RemoveAll();
    for (int i = w.HotImg->UBound(); i >= 1; --i) w.HotImg->Unload(i);
    w.imgMain->RemovePicture();
    w.LVpart->RemoveAllRows();
    w.Shp->setVisible(false);
    w.lbTitle->setVisible(false);
}

void FillBookTree(KeyedTree& tree, bool english)
{
    ModExplor::BookConnection = std::make_shared<Connection>();
    Skipping([] { ModExplor::BookConnection->Open(ModExplor::BookConnectionString); });
    ModExplor::BookRecordset = std::make_shared<Recordset>();
    Recordset& records = *ModExplor::BookRecordset;
    Connection& connection = *ModExplor::BookConnection;

    Skipping([&] {
        records.Open(QStringLiteral("Select * from tblBook where 级 = 'Root'"), connection);
        if (records.Eof()) return;
        const QString name = Text(records, "名称");
        const QString remark = Text(records, "备注");
        const QString text = english ? EnglishPart(name).toUpper() + QStringLiteral(" [ver:") + remark + QLatin1Char(']')
                                     : name.trimmed() + QStringLiteral(" [版本:") + remark + QLatin1Char(']');
        if (QTreeWidgetItem* root = tree.Add(QString(), QStringLiteral("Root"), text, RootPicture)) {
            root->setExpanded(true);
            KeyedTree::SetTag(root, Text(records, "级"));
        }
    });
    Skipping([&] { records.Close(); });
    EachRow(records, QStringLiteral("Select * from tblBook where 级 = 'C'"), connection, [&] {
        const QString name = Text(records, "名称").trimmed().toUpper();
        QTreeWidgetItem* node = tree.Add(QStringLiteral("Root"), QLatin1Char('B') + Text(records, "图号").trimmed(),
                                         english ? EnglishPart(name) : name, ChapterPicture);
        KeyedTree::SetTag(node, Text(records, "级"));
    });
    Skipping([&] { records.Close(); });
    EachRow(records, QStringLiteral("Select * from tblBook where 级 = 'D1' order by 序号"), connection, [&] {
        const QString number = Text(records, "图号").trimmed();
        const QString name = Text(records, "名称").trimmed().toUpper();
        QTreeWidgetItem* node = tree.Add(QLatin1Char('B') + Text(records, "归属").trimmed(), QLatin1Char('B') + number,
                                         number + QLatin1Char('.') + (english ? EnglishPart(name) : name),
                                         DrawingPicture);
        KeyedTree::SetTag(node, Text(records, "级"));
    });
    Skipping([&] { records.Close(); });
    ModExplor::BookRecordset.reset();
}

// Loads the cover into imgMain at its limited size; false when the cover is missing or not a picture.
bool ShowCover(frmExplore& w, const QString& folder)
{
    PictureBox& img = *w.imgMain;
    img.SetStretch(true);
    img.RemovePicture();
    if (!img.LoadPicture(CatalogueFiles::Find(folder, CatalogueFiles::Cover))) return false;
    img.SetStretch(false);
    img.SetStretch(true);
    img.Move(0, 0);
    w.NaturalWidth = img.Width();
    w.NaturalHeight = static_cast<int32_t>(std::lround(img.Height()));
    float width = img.Width(), height = img.Height();
    LimitCoverSize(width, height);
    img.Move(0, 0, width, height);
    w.S1->SetContentHeight(static_cast<int32_t>(std::lround(img.Height())));
    w.S1->SetContentWidth(static_cast<int32_t>(std::lround(img.Width())));
    return true;
}

} // namespace

void LimitCoverSize(float& width, float& height)
{
    const float w = width, h = height;
    if (w > CoverLimit && h > CoverLimit) {
        if (w >= h) {
            width = CoverLimit;
            height = h * CoverLimit / w;
        } else {
            height = CoverLimit;
            width = w * CoverLimit / h;
        }
    } else if (w > CoverLimit) {
        height = h * CoverLimit / w;
        width = CoverLimit;
    } else if (h > CoverLimit) {
        width = w * CoverLimit / h;
        height = CoverLimit;
    }
}

void OpenSelectedCatalogue(frmExplore& w)
{
    const QPointer<frmExplore> guard(&w);
    w.S1->SetContentHeight(0);
    w.S1->SetContentWidth(0);
    QCoreApplication::processEvents();
    if (!guard) return;
    w.imgMain->RemovePicture();
    w.imgMain->SetStretch(false);

    QTreeWidgetItem* node = w.TVbooks->SelectedNode();
    if (!node) return;
    ClearPage(w);
    if (KeyedTree::Picture(node) != CataloguePicture) return;   // a series node: the page stays empty

    const QString folder = KeyedTree::Tag(node);
    ModExplor::CurrentBookPath = CatalogueFiles::Find(folder, CatalogueFiles::Database);
    ModExplor::BookConnectionString = DatabaseConnectionText(ModExplor::CurrentBookPath);
    w.TVbook->RemoveAll();
    FillBookTree(*w.TVbook, ModExplor::IsEnglish());

    if (!ShowCover(w, folder)) {
        // The book tree stays; the drawing area stays empty.
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
        if (ModExplor::BookConnection && ModExplor::BookConnection->IsOpen()) ModExplor::BookConnection->Close();
    }
}

} // namespace BookTree
