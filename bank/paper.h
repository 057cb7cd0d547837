#pragma once

#include <QString>

#include <array>

namespace kivola {

// One examination paper of the bank: its content file and the year and exam kind every one of
// its rows must carry.
struct Paper
{
    const char *fileName;
    const char *year;
    const char *examKind;
    int questionCount;
};

// The papers in bank order; ids run through them without gaps.
inline constexpr std::array<Paper, 6> Papers {{
    {"2003-main.tsv", "2003", "1", 96},
    {"2003-supplementary.tsv", "2003", "2", 107},
    {"2002-main.tsv", "2002", "1", 100},
    {"2002-supplementary.tsv", "2002", "2", 98},
    {"2001-main.tsv", "2001", "1", 84},
    {"2001-supplementary.tsv", "2001", "2", 80},
}};

} // namespace kivola
