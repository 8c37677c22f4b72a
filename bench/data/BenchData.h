// Large data folders for the benchmarks: many catalogues with many part rows, without pictures.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace BenchData {

// Catalogues of the benchmark folders: 10 series of 5 sub-series each; per catalogue 10 chapters,
// 10 drawings per chapter and the part rows spread over the drawings.
struct Size {
    int catalogues = 500;
    int parts = 5000;
};

// Writes the data folder (catalogue folders "book0000" ...) unless it already holds one of the same size,
// and returns it with "/" appended. Throws when it cannot write.
QString LargeDataFolder(const QString& folder, Size size);

// The benchmark folder's usual place: $MARLINEX_BENCH_DATA, else "bench-data" in the working folder.
QString DefaultFolder(Size size);

// The data folder a benchmark works on: its first argument, else the usual place, written when needed.
// Throws when it cannot write.
QString FolderFromArguments(const QStringList& arguments, Size size);

// The median wall time in seconds of runs calls of run.
double MedianSeconds(const std::function<void()>& run, int runs = 5);

} // namespace BenchData
