// Helpers shared by the viewer's tests.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// Runs pending events, including deferred deletions of unloaded windows.
void Settle();

// A fresh temporary folder that is removed when the object goes; path() ends without "/".
class ScratchDir {
public:
    ScratchDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
private:
    QTemporaryDir dir_;
};

// Points the settings folder (XDG_CONFIG_HOME) at a scratch folder for the life of the object.
class ScratchSettings {
public:
    ScratchSettings();
    ~ScratchSettings();
    QString folder() const { return dir_.path() + '/'; }
    QString iniPath() const;
    void write(const QString& language, const QString& savePath) const;   // writes both keys
private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

// Switches the C library's locale (LOCPATH may point at the build's own locales) for the life of the
// object; ok() is false when the locale does not exist here, and then nothing was changed.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name);
    ~ScopedLocale();
    bool ok() const { return ok_; }
private:
    QByteArray previous_;
    bool ok_ = false;
};

} // namespace TestSupport
