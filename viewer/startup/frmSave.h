// The folder chooser: a drive list and a folder list; OK puts the open folder into the options window.
#pragma once

#include "startup/Drives.h"

#include <QDialog>

class DirListBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class frmSave : public QDialog {
    Q_OBJECT
public:
    frmSave();
    void Form_Load();
    void SetEnglishCaptions();

    void Drive1_Change();
    void Dir1_Change();
    void cmdOK_Click();
    void cmdCancel_Click();

    QComboBox* Drive1 = nullptr;   // item data: the drive's mount point
    DirListBox* Dir1 = nullptr;
    QLineEdit* txtPath = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    // The folder a drive opens at: the home folder on the drive that holds it, else the drive's top.
    QString DriveFolder(const QString& root) const;
    QString DriveRoot() const;
    QString homeDrive_;
    int previousDrive_ = -1;
};
