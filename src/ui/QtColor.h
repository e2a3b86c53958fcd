#pragma once
#include <QColor>
#include <QPalette>

#include "platform/Color.h"

// The core's 0x00BBGGRR colours as Qt colours. Values with the top bit set name a system colour by
// its index; they are taken from the palette.
QColor ToQColor(TColor color, const QPalette& palette = QPalette());
// The core's integer form of a Qt colour.
TColor FromQColor(const QColor& color);
