// The about window: product title, legal warning, ownership notice and the licensed user.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();
    void Form_Load();

    // Opens the window modally, owned by owner (the main window's Help menu, Ctrl+A); unloads it after.
    static void ShowModal(QWidget* owner);

    void StartSysInfo();
    bool GetKeyValue(int32_t KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel* picIcon = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lbUser = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    void SetEnglishCaptions();
};
