// The main window's basket handlers: each forwards to the basket components.
#include "basket/BasketAdd.h"
#include "catalogue/frmExplore.h"

void frmExplore::mnuOrder_1_Click() { BasketAdd::AddSelectedPart(*this); }

bool frmExplore::IsInBasket(const QString& drawingNumber, const QString& partNumber, const QString& serialNumber)
{
    return BasketAdd::IsInBasket(drawingNumber, partNumber, serialNumber);
}
