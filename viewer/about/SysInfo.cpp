#include "about/SysInfo.h"
#include "startup/Dialogs.h"

#include <QProcess>
#include <QStandardPaths>

namespace SysInfo {

const QStringList& Programs()
{
    static const QStringList programs = {
        QStringLiteral("hardinfo2"),   QStringLiteral("hardinfo"),        QStringLiteral("cpu-x"),
        QStringLiteral("lshw-gtk"),    QStringLiteral("kinfocenter"),     QStringLiteral("gnome-system-monitor"),
        QStringLiteral("mate-system-monitor"),
    };
    return programs;
}

void Start()
{
    for (const QString& name : Programs()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (path.isEmpty()) continue;
        if (QProcess::startDetached(path, {})) return;
        break;   // found but it would not start: the same answer as no tool at all
    }
    Dialogs::MsgBox(QStringLiteral("此时系统信息不可用"), Dialogs::OkOnly);
}

bool GetKeyValue(int32_t, const QString&, const QString&, QString& KeyVal)
{
    KeyVal.clear();
    return false;
}

} // namespace SysInfo
