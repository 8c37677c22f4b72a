// Times a click on a drawing node of 300 parts with a 4000 x 3000 pixel picture, against a basket of 2,000
// lines, until the picture is fitted with its hotspots, and breaks the time down.
//   bench-drawing [runs] [PNG|JPEG|BMP]
#include "Fixtures.h"
#include "ModExplor.h"
#include "basket/BasketAdd.h"
#include "basket/BasketStore.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/frmExplore.h"
#include "startup/DataAccess.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/KeyedTree.h"
#include "startup/Picture.h"
#include "startup/PictureArray.h"
#include "startup/ReportList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
constexpr int kParts = 300;
constexpr int kBasketLines = 2000;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double CpuMillis()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

template <class F> double Millis(F f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Dialogs::Script::Enable();
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QByteArray format = argc > 2 ? QByteArray(argv[2]) : QByteArray("PNG");

    QTemporaryDir program, data;
    ModExplor::SetProgramFolder(program.path());
    ModExplor::DataPath = data.path() + '/';

    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.pictureSize = QSize(4000, 3000);
    c.pictureFormat = format;
    c.Chapter(QStringLiteral("C01"), QStringLiteral("发动机 Engine"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("气缸盖 Cylinder Head"), QStringLiteral("C01"), 1);
    for (int i = 1; i <= kParts; ++i)
        c.Part(QStringLiteral("E100"), i, QStringLiteral("6D125-%1").arg(i), QStringLiteral("螺栓 BOLT %1").arg(i), 2,
               i % 7 ? QVariant(12.5 + i) : QVariant(), 0.25, 40 + (i * 37) % 3900, 40 + (i * 53) % 2900);
    const QString folder = Fixtures::AddToDataFolder(data.path(), QStringLiteral("book1"), c);

    // The basket: 2,000 lines from other drawings, and every tenth part of this one.
    QVector<Fixtures::BasketLine> lines;
    for (int i = 0; i < kBasketLines; ++i) {
        const bool here = i < kParts / 10;
        const int part = here ? i * 10 + 1 : i;
        lines.append({here ? QStringLiteral("E100") : QStringLiteral("X%1").arg(i / 50), QString::number(part),
                      QStringLiteral("6D125-%1").arg(part), QStringLiteral("螺栓 BOLT"), 1, {}, 12.5, 0.25, 12.5, 0.25});
    }
    Fixtures::WriteBasket(BasketStore::BasketPath(), lines);

    frmExplore* frm = Forms::get<frmExplore>();
    frm->resize(1280, 900);
    frm->show();
    QApplication::processEvents();
    frm->TVbooks->RemoveAll();
    KeyedTree::SetTag(frm->TVbooks->Add(QString(), QStringLiteral("D85-1"), QStringLiteral("D85"), 4), folder);
    frm->TVbooks->Select(frm->TVbooks->Node(QStringLiteral("D85-1")));
    frm->TVbook->RemoveAll();
    frm->TVbook->Add(QString(), QStringLiteral("Root"), QStringLiteral("root"), 3);
    QTreeWidgetItem* node = frm->TVbook->Add(QStringLiteral("Root"), QStringLiteral("BE100"), QStringLiteral("E100"), 6);
    KeyedTree::SetTag(node, QStringLiteral("D1"));
    frm->TVbook->Select(node);

    std::vector<double> total, cpu, queries, basket, decode, paint;
    for (int run = 0; run < runs + 1; ++run) {
        const double c0 = CpuMillis();
        const double t = Millis([&] { frm->TVbook_Click(); });
        const double c = CpuMillis() - c0;
        const double p = Millis([&] { frm->repaint(); QApplication::processEvents(); });
        // The same work piece by piece.
        const double q = Millis([&] {
            Connection connection;
            connection.Open(DatabaseConnectionText(folder + CatalogueFiles::Database));
            Recordset rs;
            rs.Open(QStringLiteral("Select * from tblBook where 级 = 'P' and 归属='E100' order by 序号, 图号"), connection, 1, 3);
            for (; !rs.Eof(); rs.MoveNext())
                for (const char* f : {"图号", "序号", "名称", "数量", "价格", "单重", "x", "y"}) rs.Fields(QString::fromUtf8(f));
            rs.Close();
            rs.Open(QStringLiteral("Select * from tblBook where 级 = 'D1' and 图号='E100'"), connection, 1, 3);
            rs.Close();
        });
        int found = 0;
        const double b = Millis([&] {
            const BasketAdd::Presence presence(QStringLiteral("E100"));
            for (int i = 1; i <= kParts; ++i)
                found += presence.IsInBasket(QStringLiteral("6D125-%1").arg(i), QString::number(i));
        });
        const double d = Millis([&] { Picture::Load(folder + CatalogueFiles::DrawingPicture(QStringLiteral("E100.gif"))); });
        if (run == 0) {   // warm-up
            if (frm->LVpart->Count() != kParts || frm->HotImg->UBound() != kParts || found != kParts / 10)
                std::fprintf(stderr, "unexpected page: %d rows, %d hotspots, %d in basket\n", frm->LVpart->Count(),
                             frm->HotImg->UBound(), found);
            continue;
        }
        total.push_back(t);
        cpu.push_back(c);
        queries.push_back(q);
        basket.push_back(b);
        decode.push_back(d);
        paint.push_back(p);
    }
    const double T = Median(total), Q = Median(queries), B = Median(basket), D = Median(decode);
    std::printf("drawing of %d parts, %s picture 4000 x 3000, basket of %d lines, median of %d runs\n", kParts,
                format.constData(), kBasketLines, runs);
    const auto line = [](const char* what, double ms, const char* note = "") {
        std::printf("  %-42s %7.1f ms%s\n", what, ms, note);
    };
    line("click to fitted picture with hotspots", T, "  (limit 150 ms)");
    line("  processor time of the click", Median(cpu));
    line("  catalogue queries", Q);
    line("  basket presence tests (300)", B);
    line("  picture decode", D);
    line("  list, hotspots and layout (the rest)", std::max(0.0, T - Q - B - D));
    line("first paint after the click", Median(paint), "  (not in the limit)");
    Forms::unload<frmExplore>();
    return T < 150 ? 0 : 1;
}
