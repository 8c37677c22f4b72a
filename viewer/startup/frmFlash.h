// The splash window; its load handler is the start-up sequence (also run again by the options restart).
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

class frmFlash : public QWidget {
    Q_OBJECT
public:
    frmFlash();
    void Form_Load();

    void Form_Click();
    void imgBK_Click();
    void Timer1_Timer();

    QLabel* imgBK = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void mousePressEvent(class QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMainAndUnload();
    bool done_ = false;
};
