// A picture loaded from a file whose content, never its name, decides the format.
// Raster pictures are decoded once; vector pictures (metafiles) are drawn at the size they are shown.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QPainter;

class Picture {
public:
    Picture() = default;

    // An empty picture when the file is missing, is not a picture, or is too large to decode.
    static Picture Load(const QString& path);
    static Picture FromImage(const QImage& image);

    bool IsNull() const { return naturalPixels_.isEmpty(); }
    // Natural size in pixels; twips are pixels x 15.
    QSize NaturalSize() const { return naturalPixels_; }
    // Draws the picture scaled into target.
    void Paint(QPainter& painter, const QRectF& target) const;

    // A renderer for a format Qt's readers do not know (metafiles). It returns an empty picture when the
    // bytes are not its format. Registered renderers are tried before the raster readers.
    using Loader = std::function<Picture(const QByteArray& bytes)>;
    static void RegisterLoader(const Loader& loader);

    // For vector loaders: a picture of the given natural size drawn by a callback.
    using Painter = std::function<void(QPainter&, const QRectF&)>;
    static Picture FromPainter(QSize naturalPixels, Painter paint);

private:
    QSize naturalPixels_;
    std::shared_ptr<const QImage> image_;
    std::shared_ptr<const Painter> painter_;
};
