// Colours as 0xAARRGGBB words, the same layout Qt's QRgb uses, without pulling in Qt's GUI module.
#pragma once

#include <cstdint>

using Rgb = uint32_t;
