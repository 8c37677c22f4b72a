#include "startup/frmSave.h"
#include "ModExplor.h"
#include "startup/Dialogs.h"
#include "startup/DirListBox.h"
#include "startup/Forms.h"
#include "startup/Twips.h"
#include "startup/frmOption.h"

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QSize kDesignSize(Twips::ToPixels(4680), Twips::ToPixels(4905));
} // namespace

frmSave::frmSave()
{
    setObjectName(QStringLiteral("frmSave"));
    setWindowTitle(QStringLiteral("请选择要保存的位置！"));

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    for (const Drives::Drive& d : Drives::Mounted()) Drive1->addItem(Drives::DisplayText(d), d.root);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    txtPath = new QLineEdit(this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    // It shows the open folder; OK takes the folder list's, so typing here would mislead.
    txtPath->setReadOnly(true);
    cmdOK = new QPushButton(QStringLiteral("确  定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("取  消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter opens a folder in the list; it must not also press a button.
    cmdOK->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtPath);
    layout->addWidget(Dir1, 1);
    layout->addWidget(Drive1);
    layout->addLayout(buttons);
    setFixedSize(kDesignSize.expandedTo(sizeHint()));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(Drive1, &QComboBox::currentIndexChanged, this, &frmSave::Drive1_Change);
    connect(Dir1, &DirListBox::changed, this, &frmSave::Dir1_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmSave::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSave::cmdCancel_Click);
    Forms::UnloadOnClose(this);
}

void frmSave::Form_Load()
{
    // Opens at the drive that holds the home folder, in the home folder.
    QStringList roots;
    for (int i = 0; i < Drive1->count(); ++i) roots.append(Drive1->itemData(i).toString());
    const int home = std::max(0, Drives::DriveOf(roots, QDir::homePath()));
    homeDrive_ = roots.value(home);
    {
        const QSignalBlocker quiet(Drive1);
        Drive1->setCurrentIndex(home);
    }
    previousDrive_ = Drive1->currentIndex();
    Dir1->setPath(DriveFolder(DriveRoot()), DriveRoot());
    txtPath->setText(Dir1->path());
    if (ModExplor::IsEnglish()) SetEnglishCaptions();
}

void frmSave::SetEnglishCaptions()
{
    setWindowTitle(QStringLiteral("Select Location"));
    cmdOK->setText(QStringLiteral("OK(&O)"));
    cmdCancel->setText(QStringLiteral("Cancel(&C)"));
}

QString frmSave::DriveRoot() const { return Drive1->currentData().toString(); }

QString frmSave::DriveFolder(const QString& root) const
{
    const QString home = QDir::cleanPath(QDir::homePath());
    return root == homeDrive_ && QDir(home).exists() ? home : root;
}

void frmSave::Drive1_Change()
{
    const QString root = DriveRoot();
    if (!Drives::IsReady(root) || !Dir1->setPath(DriveFolder(root), root)) {
        // A drive that is not ready (an empty removable drive, a mount that went away) keeps the previous one.
        {
            const QSignalBlocker quiet(Drive1);
            Drive1->setCurrentIndex(previousDrive_);
        }
        Dialogs::MsgBox(ModExplor::IsEnglish() ? QStringLiteral("The drive %1 is not ready!").arg(root)
                                               : QStringLiteral("驱动器 %1 没有准备好！").arg(root),
                        Dialogs::OkOnly | Dialogs::Exclamation, QString(), this);
        return;
    }
    previousDrive_ = Drive1->currentIndex();
}

void frmSave::Dir1_Change() { txtPath->setText(Dir1->path()); }

void frmSave::cmdOK_Click()
{
    if (frmOption* options = Forms::loaded<frmOption>()) options->txtPath->setText(Dir1->path());
    Forms::unload<frmSave>();
}

void frmSave::cmdCancel_Click() { Forms::unload<frmSave>(); }
