#include "XlsxFixture.h"

#include <QFile>
#include <xlsxwriter.h>

namespace TestSupport {

bool WriteXlsx(const QString& path, const QVector<XlsxSheet>& sheets, bool inlineStrings)
{
    lxw_workbook_options options = {};
    options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!wb) return false;
    for (const XlsxSheet& s : sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(wb, s.name.toUtf8().constData());
        if (!ws) { workbook_close(wb); return false; }
        for (int r = 0; r < s.rows.size(); ++r)
            for (int c = 0; c < s.rows[r].size(); ++c) {
                const QVariant& v = s.rows[r][c];
                if (v.isNull() || !v.isValid()) continue;
                switch (v.typeId()) {
                case QMetaType::Bool: worksheet_write_boolean(ws, r, c, v.toBool(), nullptr); break;
                case QMetaType::Double: case QMetaType::Int: case QMetaType::LongLong:
                    worksheet_write_number(ws, r, c, v.toDouble(), nullptr); break;
                default: worksheet_write_string(ws, r, c, v.toString().toUtf8().constData(), nullptr); break;
                }
            }
    }
    return workbook_close(wb) == LXW_NO_ERROR;
}

} // namespace TestSupport
