#include "startup/Forms.h"
#include "startup/frmFlash.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marlinex"));
    Forms::get<frmFlash>();
    return app.exec();
}
