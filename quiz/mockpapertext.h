#pragma once

#include <QString>

namespace kivola {

// A length of time in words, as a paper's time limit or the time left is told: "46分40秒",
// "60分", "45秒".
QString durationText(int seconds);

// A countdown or a time used as a clock shows it, minutes past the hour and all: "46:40",
// "0:05", "73:20".
QString clockText(int seconds);

// What a paper takes: "28問・46分40秒", or without a countdown "28問・時間制限なし".
QString paperLengthText(int itemCount, bool timed);

} // namespace kivola
