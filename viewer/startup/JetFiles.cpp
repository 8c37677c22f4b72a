#include "startup/JetFiles.h"

#include "ModExplor.h"
#include "startup/DataAccess.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <sys/stat.h>
#include <unistd.h>

namespace JetFiles {
namespace {

int timeLimitMs = 20000;
QString converterOverride;
QStringList upgradedOriginals;

QString Hash(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

// Removes what a converter that was stopped may have left: its partial file beside the target.
void RemovePartials(const QString& target)
{
    const QFileInfo info(target);
    QDir dir(info.absolutePath());
    for (const QString& name : dir.entryList({info.fileName() + QStringLiteral(".part*")}, QDir::Files | QDir::Hidden))
        dir.remove(name);
}

// Runs the converter from source into target (which it writes atomically) within the time limit.
void Convert(const QString& source, const QString& target)
{
    const QString program = ConverterPath();
    if (!QFileInfo(program).isExecutable())
        throw DataError(source, QStringLiteral("the Jet converter is missing (%1)").arg(program));
    QProcess process;
    process.setProgram(program);
    process.setArguments({source, target});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(timeLimitMs))
        throw DataError(source, QStringLiteral("the Jet converter cannot be started"));
    if (!process.waitForFinished(timeLimitMs)) {
        process.kill();
        process.waitForFinished(-1);
        RemovePartials(target);
        throw DataError(source, QStringLiteral("reading the Jet file took too long; the file may be damaged"));
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        RemovePartials(target);
        throw DataError(source, QStringLiteral("the Jet file cannot be read; it may be damaged"));
    }
    if (process.exitCode() != 0 || !QFileInfo::exists(target)) {
        // The converter's own message is its last line, "marlinex-jet: <file>: <cause>".
        QString message = QString::fromUtf8(process.readAllStandardError()).trimmed().section(QLatin1Char('\n'), -1);
        message = message.section(QStringLiteral(": "), 2);
        throw DataError(source, message.isEmpty() ? QStringLiteral("the Jet file cannot be converted") : message);
    }
}

} // namespace

QString ConverterPath()
{
    if (!converterOverride.isEmpty()) return converterOverride;
    const QString name = QStringLiteral("/marlinex-jet");
    const QString app = QCoreApplication::applicationDirPath();
    const QStringList candidates = {app + name, ModExplor::ProgramFolder() + name, app + QStringLiteral("/../bin") + name};
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isExecutable()) return QFileInfo(candidate).absoluteFilePath();
    return candidates.first();
}

void SetTimeLimit(int milliseconds) { timeLimitMs = milliseconds; }
void SetConverterPath(const QString& path) { converterOverride = path; }

QString CacheFolder()
{
    const QString folder = ModExplor::TempFolder() + QStringLiteral("/jet");
    if (QFileInfo(folder).isDir() || QDir().mkpath(folder)) return folder;   // asked at every opening
    // A program folder the user cannot write to still lets Jet files open.
    const QString fallback = QDir::tempPath() + QStringLiteral("/marlinex-jet-%1").arg(::getuid());
    QDir().mkpath(fallback);
    return fallback;
}

QString ConvertedCopy(const QString& path)
{
    const QFileInfo info(path);
    struct stat st {};
    if (::stat(QFile::encodeName(info.absoluteFilePath()).constData(), &st) != 0)
        throw DataError(path, QStringLiteral("file not found"));
    // Named after the path, then the state: a changed file gets a new copy and the old one goes.
    const QString owner = Hash(info.absoluteFilePath());
    const QString state = Hash(QStringLiteral("%1:%2.%3").arg(st.st_size).arg(st.st_mtim.tv_sec).arg(st.st_mtim.tv_nsec));
    const QDir cache(CacheFolder());
    const QString name = owner + QLatin1Char('-') + state + QStringLiteral(".sqlite");
    const QString copy = cache.filePath(name);
    if (QFileInfo::exists(copy)) return copy;
    Convert(info.absoluteFilePath(), copy);
    for (const QString& old : cache.entryList({owner + QStringLiteral("-*")}, QDir::Files))
        if (old != name) QFile::remove(cache.filePath(old));
    return copy;
}

QString UpgradeInPlace(const QString& path)
{
    const QFileInfo info(path);
    const QString file = info.absoluteFilePath();
    // The new file is made in the same folder, so moving it into place is one atomic rename.
    const QString fresh = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".upgrade");
    QFile::remove(fresh);
    Convert(file, fresh);

    QString original = file + QStringLiteral(".jet");
    for (int n = 2; QFileInfo::exists(original) || QFileInfo(original).isSymLink(); ++n)
        original = file + QStringLiteral(".%1.jet").arg(n);
    const QByteArray from = QFile::encodeName(file), kept = QFile::encodeName(original);
    // A second name for the original costs nothing; a copy serves where links are not possible.
    if (::link(from.constData(), kept.constData()) != 0 && !QFile::copy(file, original)) {
        QFile::remove(fresh);
        throw DataError(path, QStringLiteral("the original cannot be kept beside it, so it is not upgraded"));
    }
    QFile::setPermissions(fresh, QFile::permissions(file));
    if (::rename(QFile::encodeName(fresh).constData(), from.constData()) != 0) {
        QFile::remove(fresh);
        QFile::remove(original);
        throw DataError(path, QStringLiteral("the upgraded file cannot be moved into place"));
    }
    upgradedOriginals << original;
    return original;
}

QStringList TakeUpgradedOriginals()
{
    QStringList taken;
    taken.swap(upgradedOriginals);
    return taken;
}

} // namespace JetFiles
