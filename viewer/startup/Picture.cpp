#include "startup/Picture.h"

#include "startup/MetafilePicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <vector>

namespace {
std::vector<Picture::Loader>& Loaders()
{
    static std::vector<Picture::Loader> loaders;
    return loaders;
}

// Qt refuses to decode pictures over its allocation limit (256 MB by default); keep it explicit so a
// damaged or huge picture is treated as missing instead of exhausting memory.
constexpr int kAllocationLimitMB = 256;
} // namespace

void Picture::RegisterLoader(const Loader& loader) { Loaders().push_back(loader); }

Picture Picture::FromImage(const QImage& image)
{
    Picture p;
    if (image.isNull()) return p;
    p.naturalPixels_ = image.size();
    p.image_ = std::make_shared<const QImage>(image);
    return p;
}

Picture Picture::FromPainter(QSize naturalPixels, Painter paint)
{
    Picture p;
    if (naturalPixels.isEmpty() || !paint) return p;
    p.naturalPixels_ = naturalPixels;
    p.painter_ = std::make_shared<const Painter>(std::move(paint));
    return p;
}

Picture Picture::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Picture();
    const QByteArray bytes = file.readAll();
    MetafilePicture::Register();
    for (const Loader& loader : Loaders()) {
        Picture p = loader(bytes);
        if (!p.IsNull()) return p;
    }
    QImageReader::setAllocationLimit(kAllocationLimitMB);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    return FromImage(reader.read());
}

void Picture::Paint(QPainter& painter, const QRectF& target) const
{
    if (IsNull() || target.isEmpty()) return;
    if (painter_) {
        (*painter_)(painter, target);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target, *image_);
    painter.restore();
}
