// The OLE compound file that holds a legacy .xls workbook: reading one stream out of it (regular sectors or
// the mini stream) and writing a minimal compound file that holds one stream in regular sectors.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace CompoundFile {

bool HasSignature(const QByteArray& head);

// The first stream whose name matches one of names (letter case ignored).
// Returns false with a reason in error when the file is damaged or holds no such stream.
bool ReadStream(const QByteArray& file, const QStringList& names, QByteArray& stream, QString& error);

// A version 3 compound file (512-byte sectors) holding data as the stream name. Data shorter than the
// mini stream cutoff is padded with zero bytes so the stream always sits in regular sectors.
QByteArray WriteSingleStream(const QString& name, const QByteArray& data);

} // namespace CompoundFile
