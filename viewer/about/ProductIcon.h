// The product emblem shown by the about and support windows.
#pragma once

#include <QPixmap>

namespace ProductIcon {
// A square emblem of the given side in pixels, drawn (no file needed).
QPixmap Emblem(int side);
}
