#include "startup/frmOption.h"
#include "ModExplor.h"
#include "startup/Dialogs.h"
#include "startup/Forms.h"
#include "startup/NarrowText.h"
#include "startup/Settings.h"
#include "startup/Twips.h"
#include "startup/TextRules.h"
#include "startup/frmFlash.h"
#include "startup/frmSave.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <exception>

namespace {
const QSize kDesignSize(Twips::ToPixels(6690), Twips::ToPixels(4635));
// The settings file gives back at most this many bytes of a value (in the narrow character set).
constexpr int kMaxValueBytes = 101;

QPushButton* Button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);   // Enter in the folder text must not save
    return b;
}
} // namespace

frmOption::frmOption()
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("选项"));

    frmPath = new QGroupBox(QStringLiteral("浏览器数据存放位置："), this);
    frmPath->setObjectName(QStringLiteral("frmPath"));
    txtPath = new QLineEdit(frmPath);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    cmdSelect = Button(QStringLiteral("cmdSelect"), QStringLiteral("..."), frmPath);
    cmdSelect->setMaximumWidth(40);
    auto* pathRow = new QHBoxLayout(frmPath);
    pathRow->addWidget(txtPath, 1);
    pathRow->addWidget(cmdSelect);

    frmLanguage = new QGroupBox(QStringLiteral("语言(Language)："), this);
    frmLanguage->setObjectName(QStringLiteral("frmLanguage"));
    Opt1 = new QRadioButton(QStringLiteral("简体中文"), frmLanguage);
    Opt1->setObjectName(QStringLiteral("Opt1"));
    Opt2 = new QRadioButton(QStringLiteral("English"), frmLanguage);
    Opt2->setObjectName(QStringLiteral("Opt2"));
    Opt1->setChecked(true);
    auto* languageRow = new QHBoxLayout(frmLanguage);
    languageRow->addWidget(Opt1);
    languageRow->addWidget(Opt2);
    languageRow->addStretch();

    cmdApp = Button(QStringLiteral("cmdApp"), QStringLiteral("保  存(&S)"), this);
    cmdExit = Button(QStringLiteral("cmdExit"), QStringLiteral("退  出(&Q)"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdApp);
    buttons->addWidget(cmdExit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmPath);
    layout->addWidget(frmLanguage);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(kDesignSize.expandedTo(sizeHint()));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(cmdSelect, &QPushButton::clicked, this, &frmOption::cmdSelect_Click);
    connect(cmdApp, &QPushButton::clicked, this, &frmOption::cmdApp_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmOption::cmdExit_Click);
    Forms::UnloadOnClose(this);
}

void frmOption::Form_Load()
{
    // When the settings cannot be read the window opens with empty fields and Chinese selected.
    try {
        LanguageText = Settings::Read(Settings::LanguageKey, ModExplor::IniFilePath);
        SavePathText = Settings::Read(Settings::SavePathKey, ModExplor::IniFilePath);
    } catch (const std::exception&) {
        LanguageText.clear();
        SavePathText.clear();
    }
    // 0 (or empty) is Chinese, 1 English; any other value keeps the designed choice, Chinese.
    if (TextRules::NumericValue(LanguageText) == 1.0) Opt2->setChecked(true);
    txtPath->setText(SavePathText);
    if (ModExplor::IsEnglish()) SetEnglishCaptions();
}

void frmOption::SetEnglishCaptions()
{
    setWindowTitle(QStringLiteral("Option"));
    frmPath->setTitle(QStringLiteral("Location Of the data saved:"));
    frmLanguage->setTitle(QStringLiteral("Language:"));
    Opt1->setText(QStringLiteral("Chinese"));
    cmdApp->setText(QStringLiteral("Save(&S)"));
    cmdExit->setText(QStringLiteral("Quit(&Q)"));
}

void frmOption::cmdSelect_Click() { Forms::showModal<frmSave>(this); }

bool frmOption::FolderTextFits()
{
    // The settings file keeps values in the narrow character set and gives back at most 101 bytes of them;
    // a folder text that would come back cut or altered would make the viewer use another folder unnoticed.
    const bool en = ModExplor::IsEnglish();
    const QString text = txtPath->text();
    const QByteArray narrow = NarrowText::Encode(text);
    if (NarrowText::Decode(narrow) != text) {
        Dialogs::MsgBox(en ? QStringLiteral("The location of the data contains characters that the settings file cannot hold. "
                                            "Please choose another folder.")
                           : QStringLiteral("数据存放位置含有配置文件无法保存的字符，请另选一个文件夹！"),
                        Dialogs::OkOnly | Dialogs::Exclamation, QString(), this);
        return false;
    }
    if (narrow.size() > kMaxValueBytes) {
        Dialogs::MsgBox(en ? QStringLiteral("The location of the data is too long: the settings file holds at most %1 bytes, "
                                            "this one has %2. Please choose a shorter folder.").arg(kMaxValueBytes).arg(narrow.size())
                           : QStringLiteral("数据存放位置太长：配置文件最多只能保存 %1 个字节，此位置有 %2 个字节。请选择一个较短的文件夹！")
                                 .arg(kMaxValueBytes).arg(narrow.size()),
                        Dialogs::OkOnly | Dialogs::Exclamation, QString(), this);
        return false;
    }
    return true;
}

void frmOption::cmdApp_Click()
{
    if (!FolderTextFits()) return;
    // A failed write is not reported; the message below is shown regardless.
    try {
        Settings::Write(Settings::LanguageKey, Opt1->isChecked() ? QStringLiteral("0") : QStringLiteral("1"),
                        ModExplor::IniFilePath);
        Settings::Write(Settings::SavePathKey, txtPath->text(), ModExplor::IniFilePath);
    } catch (const std::exception&) {
    }
    // The language in use, not the one just saved.
    const bool en = ModExplor::IsEnglish();
    const int answer = Dialogs::MsgBox(
        en ? QStringLiteral("Saved OK.Please restart the software!Are you sure to restart")
           : QStringLiteral("保存成功，更改后的配置在重新启动该软件时生效！是否现在就重新启动？"),
        Dialogs::YesNo | Dialogs::Question, en ? QStringLiteral("Saved") : QStringLiteral("提示"), this);
    if (answer != Dialogs::Yes) return;
    // Close this window, then run the start-up sequence again; it unloads the main window (this window's
    // owner) and its companions. Both go by deferred deletion, after this handler and the modal loop end.
    Forms::unload<frmOption>();
    if (frmFlash* splash = Forms::loaded<frmFlash>()) splash->Form_Load();
    else Forms::get<frmFlash>();
}

void frmOption::cmdExit_Click() { Forms::unload<frmOption>(); }
