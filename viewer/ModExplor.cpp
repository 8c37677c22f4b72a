#include "ModExplor.h"
#include "startup/Dialogs.h"
#include "startup/TextRules.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace ModExplor {

namespace {
QString programFolderOverride;
}

QString GetWindowsFolder()
{
    QString folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

void OpenWithShell(QString& DocumentPath)
{
    if (!QFileInfo::exists(DocumentPath)) return;
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(DocumentPath))) return;
    // No application is associated with the file: offer to pick one.
    const bool en = IsEnglish();
    const QString question = en
        ? QStringLiteral("No application is associated with this file:\n%1\n\nChoose a program to open it with?").arg(DocumentPath)
        : QStringLiteral("没有与此文件关联的程序：\n%1\n\n要选择打开它的程序吗？").arg(DocumentPath);
    if (Dialogs::MsgBox(question, Dialogs::YesNo | Dialogs::Question) != Dialogs::Yes) return;
    const QString program = Dialogs::GetOpenFileName(nullptr, en ? QStringLiteral("Open With") : QStringLiteral("打开方式"),
                                                     en ? QStringLiteral("Programs (*)") : QStringLiteral("程序 (*)"));
    if (!program.isEmpty()) QProcess::startDetached(program, {DocumentPath});
}

bool IsEnglish()
{
    return TextRules::NumericValue(LanguageFlag) == 1.0;
}

QString ProgramFolder()
{
    if (!programFolderOverride.isEmpty()) return programFolderOverride;
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString& folder)
{
    programFolderOverride = folder;
    while (programFolderOverride.size() > 1 && programFolderOverride.endsWith('/')) programFolderOverride.chop(1);
}

QString TempFolder() { return ProgramFolder() + QStringLiteral("/temp"); }

} // namespace ModExplor
