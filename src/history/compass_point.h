// The sixteen points of the compass a wind direction is named by in the summaries' texts.
#pragma once

// "N", "NNE", ... "NNW" for a direction in degrees (any value; 360 and 0 are north), each
// point covering the 22.5° centred on it.
const char* CompassPoint(double degrees);
