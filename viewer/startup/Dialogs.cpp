#include "startup/Dialogs.h"
#include "startup/ProductTexts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QQueue>

namespace Dialogs {

namespace {
bool scripted = false;
QQueue<QVariant> answers;
QList<Script::Shown> record;

bool TakeAnswer(QVariant& answer)
{
    if (answers.isEmpty()) return false;
    answer = answers.dequeue();
    return true;
}
} // namespace

namespace Script {
void Enable() { scripted = true; }
void Disable() { scripted = false; Clear(); }
bool Enabled() { return scripted; }
void Push(const QVariant& answer) { answers.enqueue(answer); }
void Clear() { answers.clear(); record.clear(); }
const QList<Shown>& Record() { return record; }
QStringList Prompts()
{
    QStringList out;
    for (const Shown& s : record) out << s.prompt;
    return out;
}
} // namespace Script

int MsgBox(const QString& prompt, int buttons, const QString& title, QWidget* parent)
{
    const QString caption = title.isEmpty() ? ProductTexts::ProgramTitle : title;
    const bool yesNo = (buttons & 7) == YesNo;
    const bool okCancel = (buttons & 7) == OkCancel;
    if (scripted) {
        record.append({QStringLiteral("MsgBox"), prompt, caption, buttons, QString()});
        QVariant a;
        if (TakeAnswer(a) && a.isValid() && !a.isNull()) return a.toInt();
        return yesNo ? No : okCancel ? Cancel : Ok;
    }
    QMessageBox box(parent);
    box.setWindowTitle(caption);
    box.setText(prompt);
    const int icon = buttons & 0x70;
    box.setIcon(icon == Question ? QMessageBox::Question
                : icon == Exclamation ? QMessageBox::Warning
                : icon == Information ? QMessageBox::Information : QMessageBox::NoIcon);
    if (yesNo) box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    else if (okCancel) box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    else box.setStandardButtons(QMessageBox::Ok);
    if (buttons & DefaultButton2) box.setDefaultButton(yesNo ? QMessageBox::No : QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return Yes;
    case QMessageBox::No: return No;
    case QMessageBox::Cancel: return Cancel;
    default: return Ok;
    }
}

bool InputBox(const QString& prompt, const QString& title, const QString& defaultText, QString& text, QWidget* parent)
{
    const QString caption = title.isEmpty() ? ProductTexts::ProgramTitle : title;
    if (scripted) {
        record.append({QStringLiteral("InputBox"), prompt, caption, 0, defaultText});
        QVariant a;
        if (TakeAnswer(a) && !a.isNull()) { text = a.toString(); return true; }
        text.clear();
        return false;
    }
    bool ok = false;
    text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) text.clear();
    return ok;
}

static QString ScriptedFile(const QString& kind, const QString& title, const QString& filter)
{
    record.append({kind, title, title, 0, filter});
    QVariant a;
    if (TakeAnswer(a) && !a.isNull()) return a.toString();
    return QString();
}

QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filter)
{
    if (scripted) return ScriptedFile(QStringLiteral("Open"), title, filter);
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter)
{
    if (scripted) return ScriptedFile(QStringLiteral("Save"), title, filter);
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

} // namespace Dialogs
