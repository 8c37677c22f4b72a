// The price import window: picks a price spreadsheet and writes its prices into every catalogue.
// Open it with Forms::showModal<frmImportPrice>(owner).
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class frmImportPrice : public QDialog {
    Q_OBJECT
public:
    frmImportPrice();
    void Form_Load();
    void SetEnglishCaptions();

    void cmdSelect_Click();
    void cmdApp_Click();
    void cmdExit_Click();

    bool Importing() const { return importing_; }

    QLabel* Picture1 = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtFile = nullptr;
    QPushButton* cmdSelect = nullptr;
    QProgressBar* PgBar1 = nullptr;
    QProgressBar* PgBar2 = nullptr;
    QLabel* labState = nullptr;
    QPushButton* cmdApp = nullptr;
    QPushButton* cmdExit = nullptr;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Outcome;
    void RunImport(Outcome& outcome);
    bool UpdateFolder(const QString& folder, const struct PriceList& list, Outcome& outcome);
    void PumpEvents(bool force);

    bool importing_ = false;
    bool stopRequested_ = false;
    bool closeAfterImport_ = false;
    qint64 lastPump_ = 0;
};
