// The basket presence test of a page load: one open, identity lookup and close of the basket per listed part.
// Prints the time of one page of 40 parts against a basket of 500 lines.
#include "Fixtures.h"
#include "ModExplor.h"
#include "basket/BasketStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir program;
    ModExplor::SetProgramFolder(program.path());
    QVector<Fixtures::BasketLine> lines;
    for (int i = 0; i < 500; ++i)
        lines.append({QStringLiteral("16Y-01-%1").arg(i / 20), QString::number(i % 20 + 1), QStringLiteral("P-%1").arg(i),
                      QStringLiteral("件 PART"), 1, {}, 2.5, 0.1, 2.5, 0.1});
    Fixtures::WriteBasket(BasketStore::BasketPath(), lines);

    const int pages = 25, parts = 40;
    int found = 0;
    QElapsedTimer clock;
    clock.start();
    for (int page = 0; page < pages; ++page)
        for (int k = 0; k < parts; ++k)
            found += BasketStore::HasLine(QStringLiteral("16Y-01-%1").arg(page), QString::number(k % 20 + 1),
                                          QStringLiteral("P-%1").arg(page * 20 + k % 20));
    const double perPage = double(clock.nsecsElapsed()) / 1e6 / pages;
    std::printf("basket presence test: %.2f ms per page of %d parts (%.3f ms per part), %d hits\n", perPage, parts,
                perPage / parts, found);
    return 0;
}
