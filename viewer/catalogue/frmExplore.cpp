#include "catalogue/frmExplore.h"
#include "ModExplor.h"
#include "startup/Forms.h"
#include "startup/ProductTexts.h"

frmExplore::frmExplore()
{
    setObjectName(QStringLiteral("frmExplore"));
    setWindowTitle(ProductTexts::MainCaptionChinese());
    Forms::UnloadOnClose(this);
}

void frmExplore::Form_Load()
{
    if (ModExplor::IsEnglish()) setWindowTitle(ProductTexts::MainCaptionEnglish);
}
