// Current workbooks (.xlsx, Office Open XML) read straight from the zip package.
#pragma once

#include "import/SheetGrid.h"

SheetTable ReadXlsxWorksheet(const QString& path, const QString& sheetName);
