// The hourly summary of the reports: each station's lowest and highest reading of each column in
// each hour, kept by triggers as reports are stored (or deleted, or changed), so that a chart of
// a month or a year reads a few thousand rows instead of half a million. Derived data: dropped,
// it is made again from `reports` at the next opening.
#pragma once

#include <QStringList>

inline constexpr int SummarySeconds = 3600;

// The statements that make the table and its triggers, when missing.
QStringList SummarySchema();
// Whether the summary must be made again from `reports`: it is empty while reports exist.
QString SummaryMissingQuery();
QString SummaryRebuild();
