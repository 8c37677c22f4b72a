#include "drawing/DrawingPage.h"
#include "ModExplor.h"
#include "basket/BasketAdd.h"
#include "catalogue/BilingualName.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/frmExplore.h"
#include "drawing/Zoom.h"
#include "startup/DataAccess.h"
#include "startup/KeyedTree.h"
#include "startup/PictureArray.h"
#include "startup/PictureBox.h"
#include "startup/ReportList.h"
#include "startup/ScrollArea.h"
#include "startup/Shape.h"
#include "startup/TextRules.h"
#include "startup/Twips.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QTreeWidgetItem>
#include <cmath>

namespace DrawingPage {

namespace {
const QString kDrawingTag = QStringLiteral("D1");

struct Column {
    const char* bilingual;
    const char* english;
    int width;
    ReportList::Alignment alignment;
};
const Column kColumns[ColumnCount] = {
    {"图序号 Fig. No.", "Fig. No.", 600, ReportList::Left},
    {"零件号 Part No.", "PART NO.", 1500, ReportList::Left},
    {"名称 DESCRIPTION", "DESCRIPTION", 2000, ReportList::Left},
    {"数量 Q'TY", "Q'TY", 1000, ReportList::Center},
    {"单位 Unit", "Unit", 600, ReportList::Right},
    {"单价 U-Price", "U-Price", 600, ReportList::Right},
    {"总价 T-Price", "T-Price", 600, ReportList::Right},
    {"单重 U-Weight", "U-Weight", 600, ReportList::Right},
    {"总重 T-Weight", "T-Weight", 600, ReportList::Right},
    {"归属号 Ass'y No.", "Ass'y No.", 600, ReportList::Right},
    {"序号Sl. No.", "Sl. No.", 600, ReportList::Left},
    {"x", "x", 600, ReportList::Left},
    {"y", "y", 600, ReportList::Left},
};

QString Text(const QVariant& value) { return TextRules::DisplayText(value); }
QString Trimmed(const QVariant& value) { return TextRules::DisplayText(value).trimmed(); }

// English mode shows the text after the first blank of the trimmed name, the whole name when it has none.
QString ShownName(const QVariant& name, bool english)
{
    return english ? EnglishPart(Text(name)) : Trimmed(name);
}

// A part without a callout: serial number 0, or none at all. Other texts are callout labels.
bool HasNoCallout(const QString& serial)
{
    double value = 0;
    return serial.isEmpty() || (TextRules::StrictNumber(serial, value) && value == 0);
}

void ClearPage(frmExplore& frm)
{
    frm.LVpart->RemoveAllRows();
    frm.LVpart->RemoveAllColumns();
    frm.Shp->setVisible(false);
    frm.lbTitle->setVisible(false);
    for (int i = frm.HotImg->UBound(); i >= 1; --i) frm.HotImg->Unload(i);
}

void AddColumns(frmExplore& frm, bool english)
{
    for (const Column& c : kColumns)
        frm.LVpart->AddColumn(QString::fromUtf8(english ? c.english : c.bilingual), c.width, c.alignment);
}

// The row's key; a second row with the same part and serial number gets a key of its own so that it is
// listed too and list positions, hotspots and names stay aligned.
int AddRow(ReportList& list, const QString& key, const QString& text, int icon)
{
    int row = list.AddRow(key, text, icon);
    for (int n = 2; row == 0; ++n) row = list.AddRow(key + QStringLiteral("#%1").arg(n), text, icon);
    return row;
}

void FillParts(frmExplore& frm, const QString& drawingNumber, bool english)
{
    Recordset& rs = *ModExplor::BookRecordset;
    rs.Open(QStringLiteral("Select * from tblBook where 级 = 'P' and 归属='") + SqlText(drawingNumber) +
                QStringLiteral("' order by 序号, 图号"),
            *ModExplor::BookConnection, 1, 3);
    if (rs.RecordCount() > 0) frm.PartNames = QVector<QString>(rs.RecordCount() + 1);
    const BasketAdd::Presence basket(drawingNumber);
    int counter = 1;
    for (; !rs.Eof(); rs.MoveNext(), ++counter) {
        const QString part = Trimmed(rs.Fields(QStringLiteral("图号")));
        const QString serial = Trimmed(rs.Fields(QStringLiteral("序号")));
        const QVariant price = rs.Fields(QStringLiteral("价格"));
        const double quantity = TextRules::NumericValue(rs.Fields(QStringLiteral("数量")));
        const double weight = TextRules::NumericValue(rs.Fields(QStringLiteral("单重")));
        const int icon = basket.IsInBasket(part, serial) ? 1 : 2;
        ReportList& list = *frm.LVpart;
        const int row = AddRow(list, QStringLiteral("B") + part + serial, serial, icon);
        list.SetSubItem(row, PartNumber, part);
        list.SetSubItem(row, Name, ShownName(rs.Fields(QStringLiteral("名称")), english));
        list.SetSubItem(row, Quantity, Trimmed(rs.Fields(QStringLiteral("数量"))));
        if (counter - 1 < frm.PartNames.size()) frm.PartNames[counter - 1] = Text(rs.Fields(QStringLiteral("名称")));
        list.SetSubItem(row, UnitPrice, Text(price));
        list.SetSubItem(row, TotalPrice, TextRules::DecimalText(TextRules::NumericValue(price) * quantity));
        list.SetSubItem(row, UnitWeight, TextRules::DecimalText(weight));
        list.SetSubItem(row, TotalWeight, TextRules::DecimalText(weight * quantity));
        list.SetSubItem(row, Assembly, drawingNumber);
        list.SetSubItem(row, RowNumber, QString::number(counter));
        const double x = TextRules::NumericValue(rs.Fields(QStringLiteral("x")));
        const double y = TextRules::NumericValue(rs.Fields(QStringLiteral("y")));
        list.SetSubItem(row, X, TextRules::DecimalText(x));
        list.SetSubItem(row, Y, TextRules::DecimalText(y));

        PictureBox* hot = frm.HotImg->Load(frm.HotImg->UBound() + 1);
        if (HasNoCallout(serial)) {
            hot->Move(ParkedTwips, ParkedTwips);
            list.SetSubItem(row, X, QStringLiteral("-30"));
            list.SetSubItem(row, Y, QStringLiteral("-30"));
        } else {
            hot->Move(static_cast<float>((x - HotspotOffsetPixels) * Twips::PerPixel),
                      static_cast<float>((y - HotspotOffsetPixels) * Twips::PerPixel));
        }
        hot->SetTag(part);
        hot->BringToFront();
        hot->setVisible(false);
    }
    rs.Close();
}

// Loads the drawing's picture at its natural size, limited to 6000 twips, then fits it. A missing file, one
// that is not a picture or one too large to decode leaves the page without a picture.
void ShowPicture(frmExplore& frm, const QString& catalogueFolder, const QVariant& file)
{
    const QString path = PictureFile(catalogueFolder, Text(file));
    frm.imgMain->RemovePicture();
    if (path.isEmpty() || !frm.imgMain->LoadPicture(path)) {
        frm.NaturalWidth = 0;
        frm.NaturalHeight = 0;
        return;
    }
    frm.imgMain->SetStretch(false);
    frm.imgMain->SetStretch(true);
    frm.imgMain->Move(0, 0);
    frm.NaturalWidth = frm.imgMain->Width();
    frm.NaturalHeight = static_cast<int32_t>(std::lrint(frm.imgMain->Height()));
    const Zoom::Size limited = Zoom::LimitTo6000({frm.imgMain->Width(), frm.imgMain->Height()});
    frm.imgMain->Move(0, 0, limited.width, limited.height);
    frm.mnuTools_Shi_Click();
}

void FillPage(frmExplore& frm, const QString& drawingNumber, const QString& catalogueFolder)
{
    ModExplor::CurrentBookPath = CatalogueFiles::Find(catalogueFolder, CatalogueFiles::Database);
    ModExplor::BookConnectionString = DatabaseConnectionText(ModExplor::CurrentBookPath);
    ModExplor::BookConnection = std::make_shared<Connection>();
    ModExplor::BookConnection->CursorLocation = 3;
    ModExplor::BookRecordset = std::make_shared<Recordset>();

    frm.LVpart->RemoveAllRows();
    frm.lbTitle->setText(drawingNumber);
    frm.lbTitle->move(0, 0);
    frm.lbTitle->adjustSize();
    frm.lbTitle->setVisible(true);

    ModExplor::BookConnection->Open(ModExplor::BookConnectionString);
    FillParts(frm, drawingNumber, ModExplor::IsEnglish());
    ModExplor::BookRecordset = std::make_shared<Recordset>();
    Recordset& rs = *ModExplor::BookRecordset;
    rs.Open(QStringLiteral("Select * from tblBook where 级 = 'D1' and 图号='") + SqlText(drawingNumber) +
                QStringLiteral("'"),
            *ModExplor::BookConnection, 1, 3);
    if (rs.RecordCount() > 0) ShowPicture(frm, catalogueFolder, rs.Fields(QStringLiteral("文件")));
    rs.Close();
}
} // namespace

QString PictureFile(const QString& catalogueFolder, const QString& file)
{
    if (file.trimmed().isEmpty()) return QString();
    QString name = CatalogueFiles::DrawingPicture(file);
    name.replace('\\', '/');
    if (name.startsWith('/')) return QString();
    QStringList parts = name.split('/', Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.contains(QStringLiteral(".."))) return QString();
    // Subfolders inside the catalogue folder are taken as written; the file's own name may differ in case.
    const QString fileName = parts.takeLast();
    QString folder = catalogueFolder.endsWith('/') ? catalogueFolder : catalogueFolder + '/';
    if (!parts.isEmpty()) folder += parts.join('/') + '/';
    const QString path = CatalogueFiles::Find(folder, fileName);
    return QFileInfo(path).isFile() ? path : QString();
}

void Load(frmExplore& frm)
{
    frm.S1->SetContentHeight(0);
    frm.S1->SetContentWidth(0);
    QCoreApplication::processEvents();
    frm.imgMain->RemovePicture();
    frm.imgMain->SetStretch(false);
    // Without a picture the control has no size, so an empty page scrolls nothing.
    frm.imgMain->Move(0, 0, 0, 0);

    QTreeWidgetItem* node = frm.TVbook->SelectedNode();
    if (!node) return;
    ClearPage(frm);
    if (KeyedTree::Tag(node) != kDrawingTag) return;
    AddColumns(frm, ModExplor::IsEnglish());

    const QString drawingNumber = KeyedTree::Key(node).mid(1);
    const QString catalogueFolder = KeyedTree::Tag(frm.TVbooks->SelectedNode());
    try {
        FillPage(frm, drawingNumber, catalogueFolder);
    } catch (const std::exception&) {
        // A catalogue that cannot be read shows what was listed before the failure, without a picture.
    }
    frm.S1->SetContentHeight(static_cast<int32_t>(std::lrint(frm.imgMain->Height())));
    frm.S1->SetContentWidth(static_cast<int32_t>(std::lrint(frm.imgMain->Width())));
}

} // namespace DrawingPage
