// The product-support window: the support text of the program folder's "about.ini" ("aboutEn.ini" in English).
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class Dialog : public QDialog {
    Q_OBJECT
public:
    Dialog();
    void Form_Load();

    // Opens the window modally, owned by owner (the main window's Help menu, Ctrl+T); unloads it after.
    static void ShowModal(QWidget* owner);

    void StartSysInfo();
    bool GetKeyValue(int32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel* Picture1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};
