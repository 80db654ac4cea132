// The title's high-score strip text, without X: "Top Ten: ", the rank padded
// to two places, the Latin-1 degree sign 0xB0 as an ordinal mark, " Score "
// and the table's line as it is stored.
#pragma once

#include "support/StringUtil.h"

#include <string>

inline std::string HighScoreStripText(int rank, const std::string& line)
{
    return "Top Ten: " + PadLeft(IntToString(rank), ' ', 2) + "\xB0 Score " + line;
}
