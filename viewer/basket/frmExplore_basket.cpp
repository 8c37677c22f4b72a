// The main window's basket handlers: each forwards to the basket components.
#include "basket/BasketAdd.h"
#include "basket/frmOrder.h"
#include "catalogue/frmExplore.h"
#include "startup/Forms.h"

void frmExplore::mnuOrder2_Click() { Forms::showModal<frmOrder>(this); }

void frmExplore::mnuOrder_1_Click() { BasketAdd::AddSelectedPart(*this); }

bool frmExplore::IsInBasket(const QString& drawingNumber, const QString& partNumber, const QString& serialNumber)
{
    return BasketAdd::IsInBasket(drawingNumber, partNumber, serialNumber);
}
