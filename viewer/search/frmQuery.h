// The part search: finds parts by number and/or name in every catalogue and jumps to a hit's drawing.
#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ReportList;
class frmExplore;

class frmQuery : public QDialog {
    Q_OBJECT
public:
    frmQuery();
    void Form_Load();
    void SetEnglishCaptions();

    void cmdQuery_Click();
    void Command1_Click();
    void lvResult_DblClick();

    // The statement for the given inputs (trimmed here; values quoted safely).
    static QString BuildQueryText(const QString& partNumber, const QString& name, bool exact);

    QGroupBox* frm1 = nullptr;
    QLabel* lbC0 = nullptr;
    QLabel* lbC1 = nullptr;
    QLineEdit* txtNO = nullptr;
    QLineEdit* txtName = nullptr;
    QCheckBox* chk1 = nullptr;
    QPushButton* cmdQuery = nullptr;
    QGroupBox* frm2 = nullptr;
    ReportList* lvResult = nullptr;
    QLabel* lbLimit = nullptr;       // says when the list is full
    QPushButton* Command1 = nullptr;

    QString QueryText;
    int16_t HitNumber = 0;

    static constexpr int MaxHits = 32767;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SearchFolder(const QString& folder);
    bool searching_ = false;
    bool stop_ = false;
    bool full_ = false;
};

// Opens the search modally, rebuilding the library first when its tree is empty. From the toolbar the
// window is owned by the main window; from the menu it has no owner.
void OpenSearch(frmExplore* main, bool owned);
