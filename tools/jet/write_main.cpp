// marlinex-jet-write SQLITE TARGET: writes every table of a SQLite file as a Jet 4 file (test and demo data).
#include "JetWriter.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: marlinex-jet-write SQLITE TARGET\n");
        return 2;
    }
    try {
        jet::WriteJet4FromSqlite(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "marlinex-jet-write: %s\n", e.what());
        return 1;
    }
    return 0;
}
