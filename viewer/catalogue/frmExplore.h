// The main window: library tree, book tree, drawing area and part list.
#pragma once

#include <QMainWindow>

class frmExplore : public QMainWindow {
    Q_OBJECT
public:
    frmExplore();
    void Form_Load();
};
