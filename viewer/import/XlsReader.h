// Legacy binary workbooks (.xls) through FreeXL.
#pragma once

#include "import/SheetGrid.h"

SheetTable ReadXlsWorksheet(const QString& path, const QString& sheetName);
