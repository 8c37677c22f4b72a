// The main window's basket command: the basket window, modal over the main window.
#include "basket/frmOrder.h"
#include "catalogue/frmExplore.h"
#include "startup/Forms.h"

#include <QPointer>

void frmExplore::mnuOrder2_Click()
{
    QPointer<frmOrder> order = Forms::get<frmOrder>();
    if (!order) return;
    order->setParent(this, order->windowFlags());
    order->exec();
    // However it was closed (its buttons, Escape, the title bar), the next use loads the basket afresh.
    if (order && Forms::loaded<frmOrder>() == order) Forms::unload<frmOrder>();
}
