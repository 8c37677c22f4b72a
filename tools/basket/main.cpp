// marlinex-basket <path>: creates the empty basket file the program ships with; an existing basket is kept.
#include "basket/BasketStore.h"
#include "startup/DataAccess.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: marlinex-basket <path of order.mdb>\n");
        return 2;
    }
    try {
        BasketStore::CreateIfMissing(QString::fromLocal8Bit(argv[1]));
    } catch (const DataError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
