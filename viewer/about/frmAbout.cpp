#include "about/frmAbout.h"
#include "ModExplor.h"
#include "about/AboutTexts.h"
#include "about/ProductIcon.h"
#include "about/SysInfo.h"
#include "startup/Forms.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* WrappedLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QFrame* Line(QWidget* parent, const char* name)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于 "));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(540, 340);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(ProductIcon::Emblem(64));
    picIcon->setFixedSize(64, 64);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ProductIcon::Emblem(32));
    Image1->setFixedSize(32, 32);

    lblTitle = WrappedLabel(this, "lblTitle");
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    lblTitle->setFont(titleFont);
    lblTitle->setText(AboutTexts::TitleChinese);
    lblDescription = WrappedLabel(this, "lblDescription");
    lblDescription->setText(AboutTexts::DescriptionChinese);
    lbUser = WrappedLabel(this, "lbUser");
    lbUser->setText(AboutTexts::LicenseeChinese);
    lblDisclaimer = WrappedLabel(this, "lblDisclaimer");
    lblDisclaimer->setText(AboutTexts::Disclaimer);
    Line1 = Line(this, "Line1");
    Line2 = Line(this, "Line2");

    cmdOK = new QPushButton(QStringLiteral("确  定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("系统信息(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    auto* icons = new QVBoxLayout;
    icons->addWidget(picIcon);
    icons->addStretch();
    icons->addWidget(Image1, 0, Qt::AlignHCenter);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblDescription);
    texts->addWidget(lbUser);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(icons);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(Line1);
    layout->addWidget(Line2);
    layout->addLayout(bottom);
    Forms::UnloadOnClose(this);
}

void frmAbout::Form_Load()
{
    if (!ModExplor::IsEnglish()) {
        setWindowTitle(QStringLiteral("关于 "));
        lblTitle->setText(AboutTexts::TitleChinese);
        lblDisclaimer->setText(AboutTexts::Disclaimer);
        lblDescription->setText(AboutTexts::DescriptionChinese);
        return;
    }
    SetEnglishCaptions();
}

void frmAbout::SetEnglishCaptions()
{
    setWindowTitle(QStringLiteral("About Quenfield"));
    lblTitle->setText(AboutTexts::TitleEnglish);
    lblDisclaimer->setText(AboutTexts::Disclaimer);
    lblDescription->setText(AboutTexts::DescriptionEnglish);
    lbUser->setText(QStringLiteral("User: ") + AboutTexts::LicenseeEnglish);
    cmdOK->setText(QStringLiteral("OK(&O)"));
    cmdSysInfo->setText(QStringLiteral("System Info(&S)"));
}

void frmAbout::ShowModal(QWidget* owner) { Forms::showModal<frmAbout>(owner); }

void frmAbout::StartSysInfo() { SysInfo::Start(); }

bool frmAbout::GetKeyValue(int32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    return SysInfo::GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::cmdOK_Click() { Forms::unload<frmAbout>(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }
