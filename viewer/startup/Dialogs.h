// Every message box, input box and file dialog of the viewer goes through here, so tests can queue the
// answers and read what was shown instead of blocking on a modal box.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace Dialogs {

// Buttons and icons combine as the classic message box flags did.
enum Buttons { OkOnly = 0, OkCancel = 1, YesNo = 4, Exclamation = 48, Question = 32, Information = 64,
               DefaultButton2 = 256 };   // the second button (No, Cancel) answers Enter
enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// Shows a message; an empty title gives the program's title. Returns the Answer pressed.
int MsgBox(const QString& prompt, int buttons = OkOnly, const QString& title = QString(), QWidget* parent = nullptr);

// Asks for a text. Returns false when the user cancels (text is then empty).
bool InputBox(const QString& prompt, const QString& title, const QString& defaultText, QString& text,
              QWidget* parent = nullptr);

// Qt filter texts ("Text (*.txt);;All Files (*)"). Return "" when cancelled.
QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filter);
QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter);

// Test scripting. Once enabled, nothing is shown: each box takes the next queued answer (an Answer for
// message boxes, a QString for input boxes and file dialogs, a null QVariant for "cancel"); with an empty
// queue message boxes answer No (OK when they only have OK) and the other boxes cancel.
namespace Script {
void Enable();
void Disable();
bool Enabled();
void Push(const QVariant& answer);
void Clear();                       // drops queued answers and the record of shown boxes
struct Shown { QString kind; QString prompt; QString title; int buttons = 0; QString defaultText; };
const QList<Shown>& Record();       // every box shown since the last Clear
QStringList Prompts();              // the prompts of Record(), in order
} // namespace Script

} // namespace Dialogs
