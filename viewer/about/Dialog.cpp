#include "about/Dialog.h"
#include "ModExplor.h"
#include "about/ProductIcon.h"
#include "about/SysInfo.h"
#include "startup/Forms.h"
#include "startup/NarrowText.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
// Every line of the support file in file order, each followed by a line break; "" when it cannot be read.
// Lines may end in CR LF, LF or CR.
QString SupportText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    const QString text = NarrowText::Decode(file.readAll());
    if (text.isEmpty()) return QString();
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (lines.last().isEmpty()) lines.removeLast();   // the break after the last line ends it, it starts none
    QString out;
    for (const QString& line : lines) out += line + QLatin1Char('\n');
    return out;
}
} // namespace

Dialog::Dialog()
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("关于产品支持"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(520, 330);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(ProductIcon::Emblem(48));
    Picture1->setFixedSize(48, 48);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);   // a support text to read and copy from, not to edit
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cmdOK = new QPushButton(QStringLiteral("确  定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, &Dialog::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &Dialog::cmdSysInfo_Click);

    auto* side = new QVBoxLayout;
    side->addWidget(Picture1, 0, Qt::AlignHCenter);
    side->addStretch();
    side->addWidget(cmdOK);
    side->addWidget(cmdSysInfo);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Text1, 1);
    layout->addLayout(side);
    Forms::UnloadOnClose(this);
}

void Dialog::Form_Load()
{
    const bool english = ModExplor::IsEnglish();
    if (english) {
        cmdOK->setText(QStringLiteral("OK"));
        setWindowTitle(QStringLiteral("About Product"));
        cmdSysInfo->setText(QStringLiteral("SysInfo..."));
    }
    const QString name = english ? QStringLiteral("/aboutEn.ini") : QStringLiteral("/about.ini");
    Text1->setPlainText(SupportText(ModExplor::ProgramFolder() + name));
}

void Dialog::ShowModal(QWidget* owner) { Forms::showModal<Dialog>(owner); }

void Dialog::StartSysInfo() { SysInfo::Start(); }

bool Dialog::GetKeyValue(int32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    return SysInfo::GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void Dialog::cmdOK_Click() { Forms::unload<Dialog>(); }

void Dialog::cmdSysInfo_Click() { StartSysInfo(); }
