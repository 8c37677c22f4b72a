// marlinex-jet SOURCE TARGET: writes the user tables of the Jet database SOURCE into a new SQLite file TARGET.
#include "JetToSqlite.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: marlinex-jet SOURCE TARGET\n");
        return 2;
    }
    std::string error;
    if (!jet::ConvertJetToSqlite(argv[1], argv[2], error)) {
        std::fprintf(stderr, "marlinex-jet: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
