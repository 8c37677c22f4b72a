#include "basket/BasketExport.h"

#include "ModExplor.h"
#include "startup/Dialogs.h"

namespace BasketExport {

const QStringList& Headings()
{
    static const QStringList headings = {
        QStringLiteral("序号Sl.No."),     QStringLiteral("零件号Part No."), QStringLiteral("名称Description"),
        QStringLiteral("数量Q'ty"),       QStringLiteral("单位Unit"),       QStringLiteral("单价U-Price"),
        QStringLiteral("总价T-Price"),    QStringLiteral("单重U-Weight"),   QStringLiteral("总重T-Weight"),
        QStringLiteral("归属号Ass'y No."), QStringLiteral("图序号Fig.No."),
    };
    return headings;
}

void ReportFailure(QWidget* owner, const QString& path, const QString& cause)
{
    const bool en = ModExplor::IsEnglish();
    const QString text = en ? QStringLiteral("Export failed!\n%1\n%2").arg(path, cause)
                            : QStringLiteral("导出失败!\n%1\n%2").arg(path, cause);
    Dialogs::MsgBox(text, Dialogs::OkOnly | Dialogs::Exclamation, en ? QStringLiteral("Export") : QString(), owner);
}

} // namespace BasketExport
