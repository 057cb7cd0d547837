#include "bank/studynote.h"

namespace kivola {

namespace {

// In the order of the enums.
const std::array<QString, PeriodCount> PeriodLabels {QStringLiteral("原始・古墳"),
    QStringLiteral("飛鳥"), QStringLiteral("奈良"), QStringLiteral("平安"), QStringLiteral("鎌倉"),
    QStringLiteral("室町"), QStringLiteral("戦国・安土桃山"), QStringLiteral("江戸"),
    QStringLiteral("明治"), QStringLiteral("大正"), QStringLiteral("昭和戦前"),
    QStringLiteral("戦後")};
const std::array<QString, ThemeCount> ThemeLabels {QStringLiteral("政治"), QStringLiteral("外交"),
    QStringLiteral("経済・産業"), QStringLiteral("社会・土地制度"), QStringLiteral("文化・宗教"),
    QStringLiteral("学問・教育")};

} // namespace

QString periodLabel(Period period)
{
    return PeriodLabels.at(std::size_t(period));
}

int themeIndex(Theme theme)
{
    for (int i = 0; i < ThemeCount; ++i) {
        if (AllThemes.at(std::size_t(i)) == theme)
            return i;
    }
    return -1;
}

QString themeLabel(Theme theme)
{
    return ThemeLabels.at(std::size_t(themeIndex(theme)));
}

std::optional<Period> periodOfLabel(QStringView label)
{
    for (int i = 0; i < PeriodCount; ++i) {
        if (PeriodLabels.at(std::size_t(i)) == label)
            return Period(i);
    }
    return std::nullopt;
}

std::optional<Theme> themeOfLabel(QStringView label)
{
    for (int i = 0; i < ThemeCount; ++i) {
        if (ThemeLabels.at(std::size_t(i)) == label)
            return AllThemes.at(std::size_t(i));
    }
    return std::nullopt;
}

} // namespace kivola
