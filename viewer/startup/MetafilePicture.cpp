#include "startup/MetafilePicture.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cmath>
#include <cstdlib>
#include <memory>

extern "C" {
#include <emf2svg.h>
}
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace MetafilePicture {
namespace {

// Larger frames are not drawings but damaged headers.
constexpr int kMaxPixels = 30000;

quint16 ReadU16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }
qint16 ReadS16(const QByteArray& b, int at) { return qFromLittleEndian<qint16>(b.constData() + at); }
quint32 ReadU32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
qint32 ReadS32(const QByteArray& b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }

QSize Checked(double width, double height)
{
    const int w = static_cast<int>(std::lround(width));
    const int h = static_cast<int>(std::lround(height));
    if (w < 1 || h < 1 || w > kMaxPixels || h > kMaxPixels) return QSize();
    return QSize(w, h);
}

// A vector picture drawn by Qt's SVG renderer, scaled into whatever rectangle it is shown in.
Picture FromSvg(const QByteArray& svg, QSize natural)
{
    auto renderer = std::make_shared<QSvgRenderer>(svg);
    if (!renderer->isValid()) return Picture();
    renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
    return Picture::FromPainter(natural, [renderer](QPainter& painter, const QRectF& target) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, true);
        renderer->render(&painter, target);
        painter.restore();
    });
}

// The placeable header gives the frame in metafile units and the units per inch.
QSize WmfFrame(const QByteArray& b)
{
    constexpr int kPlaceable = 22, kHeader = 18;
    if (b.size() < kPlaceable + kHeader || ReadU32(b, 0) != 0x9AC6CDD7u) return QSize();
    const int inch = ReadU16(b, 14);
    const int width = ReadS16(b, 10) - ReadS16(b, 6), height = ReadS16(b, 12) - ReadS16(b, 8);
    if (inch <= 0 || width <= 0 || height <= 0) return QSize();
    const int type = ReadU16(b, kPlaceable), headerWords = ReadU16(b, kPlaceable + 2);
    if ((type != 1 && type != 2) || headerWords != 9) return QSize();
    return Checked(width * 96.0 / inch, height * 96.0 / inch);
}

// The header record gives the frame in hundredths of a millimetre.
QSize EmfFrame(const QByteArray& b)
{
    constexpr int kHeader = 88;
    if (b.size() < kHeader || ReadU32(b, 0) != 1 || ReadU32(b, 40) != 0x464D4520u) return QSize();
    const quint32 headerSize = ReadU32(b, 4);
    if (headerSize < kHeader || headerSize > static_cast<quint32>(b.size())) return QSize();
    const double width = static_cast<double>(ReadS32(b, 32)) - ReadS32(b, 24);
    const double height = static_cast<double>(ReadS32(b, 36)) - ReadS32(b, 28);
    if (width <= 0 || height <= 0) return QSize();
    return Checked(width / 2540.0 * 96.0, height / 2540.0 * 96.0);
}

wmfD_Rect WmfFramePoints(const QByteArray& b)
{
    const double scale = 72.0 / ReadU16(b, 14);
    wmfD_Rect frame;
    frame.TL.x = static_cast<float>(ReadS16(b, 6) * scale);
    frame.TL.y = static_cast<float>(ReadS16(b, 8) * scale);
    frame.BR.x = static_cast<float>(ReadS16(b, 10) * scale);
    frame.BR.y = static_cast<float>(ReadS16(b, 12) * scale);
    return frame;
}

} // namespace

Picture LoadWmf(const QByteArray& bytes)
{
    const QSize natural = WmfFrame(bytes);
    if (natural.isEmpty()) return Picture();

    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI* api = nullptr;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api) wmf_api_destroy(api);
        return Picture();
    }
    QByteArray svg;
    QByteArray input = bytes;   // libwmf reads from a mutable buffer
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(input.data()), input.size()) == wmf_E_None) {
        wmfD_Rect bbox;
        if (wmf_scan(api, 0, &bbox) == wmf_E_None) {
            wmf_svg_t* device = WMF_SVG_GetData(api);
            device->out = wmf_stream_create(api, nullptr);
            device->Description = nullptr;
            // wmf_scan gives the extent of what is drawn, in points; the picture is the whole frame.
            device->bbox = WmfFramePoints(bytes);
            device->width = static_cast<unsigned>(natural.width());
            device->height = static_cast<unsigned>(natural.height());
            const bool played = wmf_play(api, 0, &bbox) == wmf_E_None;
            char* buffer = nullptr;
            unsigned long length = 0;
            wmf_stream_destroy(api, device->out, &buffer, &length);
            if (played && buffer) svg = QByteArray(buffer, static_cast<qsizetype>(length));
        }
        wmf_mem_close(api);
    }
    wmf_api_destroy(api);   // frees everything libwmf allocated, the output buffer included
    return svg.isEmpty() ? Picture() : FromSvg(svg, natural);
}

Picture LoadEmf(const QByteArray& bytes)
{
    const QSize natural = EmfFrame(bytes);
    if (natural.isEmpty()) return Picture();
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.verbose = false;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = natural.width();
    options.imgHeight = natural.height();
    QByteArray input = bytes;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(input.data(), static_cast<size_t>(input.size()), &out, &length, &options);
    QByteArray svg;
    if (ok && out) svg = QByteArray(out, static_cast<qsizetype>(length));
    std::free(out);
    return svg.isEmpty() ? Picture() : FromSvg(svg, natural);
}

void Register()
{
    static const bool registered = [] {
        Picture::RegisterLoader(LoadWmf);
        Picture::RegisterLoader(LoadEmf);
        return true;
    }();
    (void)registered;
}

} // namespace MetafilePicture
