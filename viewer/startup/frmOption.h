// The options window: the language and the catalogue data folder, saved in the settings file, with an
// offer to restart into them at once. Open it with Forms::showModal<frmOption>(owner).
#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmOption : public QDialog {
    Q_OBJECT
public:
    frmOption();
    void Form_Load();
    void SetEnglishCaptions();

    void cmdSelect_Click();
    void cmdApp_Click();
    void cmdExit_Click();

    QGroupBox* frmPath = nullptr;
    QLineEdit* txtPath = nullptr;
    QPushButton* cmdSelect = nullptr;
    QGroupBox* frmLanguage = nullptr;
    QRadioButton* Opt1 = nullptr;
    QRadioButton* Opt2 = nullptr;
    QPushButton* cmdApp = nullptr;
    QPushButton* cmdExit = nullptr;

    // The texts the settings file held when the window loaded.
    QString LanguageText;
    QString SavePathText;

private:
    bool FolderTextFits();
};
