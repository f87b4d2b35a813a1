// One decoded report as the JSON object the command-line tool prints.
#pragma once

#include "display_state.h"
#include "json_writer.h"
#include "report_decoder.h"

// Writes the report's keys (labels, colors, rainFontPt, trends, compass, values, acceptReport,
// beep, focus, tooltip) into the object that `json` has open.
void WriteReportJson(JsonWriter& json, const DisplayState& shown, const ReportOutcome& out);
