// Fitting text into a control drawn for another font: a stand-in family may be wider or taller
// than the one the layout was designed with.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <functional>

// The font made smaller in quarter points until `fits` holds, or 4 points are reached.
QFont ShrinkToFit(QFont font, const std::function<bool(const QFontMetrics&)>& fits);
