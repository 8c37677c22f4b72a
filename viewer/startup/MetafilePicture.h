// Windows metafile pictures (placeable WMF through libwmf, EMF through libemf2svg), drawn as vectors at the
// size they are shown. Their natural size is the metafile's frame at 15 twips per pixel (96 per inch).
#pragma once

#include "startup/Picture.h"

#include <QByteArray>

namespace MetafilePicture {

// An empty picture when the bytes are not a metafile of that kind or cannot be rendered.
Picture LoadWmf(const QByteArray& bytes);
Picture LoadEmf(const QByteArray& bytes);

// Registers both loaders with Picture; later calls do nothing.
void Register();

} // namespace MetafilePicture
