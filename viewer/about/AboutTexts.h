// The texts of the about window that name the product, its makers and its licensee.
#pragma once

#include <QString>

namespace AboutTexts {
inline const QString TitleChinese = QStringLiteral("Marlinex 推土机电子零件目录系统  —  评估版授权用户");
inline const QString TitleEnglish = QStringLiteral("SoftWare System");
inline const QString Disclaimer = QStringLiteral(
    "警告：本计算机程序受著作权法和国际条约保护。未经授权而擅自复制或传播本程序（或其中任何部分），"
    "将受到严厉的民事及刑事制裁，并将在法律许可的最大限度内受到追诉。");
inline const QString DescriptionChinese = QStringLiteral(
    "Marlinex 推土机电子零件目录系统及其目录数据格式、图片和文档的著作权归 Marlinex 开发组所有，保留一切权利。"
    "本软件按许可协议授权使用，只许可给下列用户单位。");
inline const QString DescriptionEnglish = QStringLiteral(
    "Marlinex, the electronic spare-parts catalogue for bulldozers, with its catalogue format, pictures and "
    "documents, is the property of the Marlinex developers. All rights reserved. It is licensed, not sold, "
    "to the organisation named below.");
inline const QString LicenseeChinese = QStringLiteral("Marlinex 评估版用户");
inline const QString LicenseeEnglish = QStringLiteral("Marlinex Evaluation User");
} // namespace AboutTexts
