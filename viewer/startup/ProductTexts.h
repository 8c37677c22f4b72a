// Texts that name the product; one place so every window and message says the same.
#pragma once

#include <QString>

namespace ProductTexts {
// The title message boxes carry when they have none of their own.
inline const QString ProgramTitle = QStringLiteral("Marlinex");
// The Chinese product title; the main window's caption is this followed directly by "Marlinex".
inline const QString ProductTitleChinese = QStringLiteral("推土机电子零件目录");
inline const QString MainCaptionEnglish = QStringLiteral("TovarnInfo Visual Marlinex");
inline QString MainCaptionChinese() { return ProductTitleChinese + QStringLiteral("Marlinex"); }
}
