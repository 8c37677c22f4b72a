// The system-information button of the about and support windows.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace SysInfo {

// The desktop system-information programs looked for on PATH, in this order: dedicated hardware and
// system profilers first, then the desktops' information centres, then system monitors.
const QStringList& Programs();

// Starts the first of Programs() found on PATH; when none is found or it cannot start, shows
// "此时系统信息不可用" with an OK button (the same text in both languages).
void Start();

// There is no registry here: nothing is ever read, so KeyVal becomes "" and the result is false.
bool GetKeyValue(int32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

} // namespace SysInfo
