#include "TestSupport.h"
#include "startup/Settings.h"

#include <QEvent>
#include <QFile>
#include <clocale>

namespace TestSupport {

void Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

ScratchDir::ScratchDir() { dir_.setAutoRemove(true); }

ScratchSettings::ScratchSettings() : previous_(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
}

ScratchSettings::~ScratchSettings() { qputenv("XDG_CONFIG_HOME", previous_); }

QString ScratchSettings::iniPath() const { return folder() + Settings::FileName; }

void ScratchSettings::write(const QString& language, const QString& savePath) const
{
    QFile f(iniPath());
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(QStringLiteral("[Option]\r\nLanguage=%1\r\nSavePath=%2\r\n").arg(language, savePath).toUtf8());
}

ScopedLocale::ScopedLocale(const char* name) : previous_(std::setlocale(LC_ALL, nullptr))
{
    ok_ = std::setlocale(LC_ALL, name) != nullptr;
}

ScopedLocale::~ScopedLocale()
{
    if (ok_) std::setlocale(LC_ALL, previous_.constData());
}

} // namespace TestSupport
