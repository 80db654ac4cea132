// The title's high-score strip text, without X: "Top Ten: ", the rank padded
// to two places, the Latin-1 degree sign 0xB0 as an ordinal mark, " Score "
// and the table's line as it is stored.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Writes the text into out (cut to size - 1 bytes); returns out.
inline const char* HighScoreStripText(char* out, size_t size, int rank, const std::string& line)
{
    std::snprintf(out, size, "Top Ten: %2d\xB0 Score %s", rank, line.c_str());
    return out;
}

inline std::string HighScoreStripText(int rank, const std::string& line)
{
    std::string text(line.size() + 32, '\0');
    HighScoreStripText(&text[0], text.size(), rank, line);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}
