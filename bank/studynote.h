#pragma once

#include <QFlags>
#include <QString>

#include <array>
#include <optional>

namespace kivola {

// The periods of Japanese history the study layer files a statement under, oldest first; the
// order is the order of the choice window and of the layer's own list.
enum class Period
{
    Prehistoric,
    Asuka,
    Nara,
    Heian,
    Kamakura,
    Muromachi,
    Sengoku,
    Edo,
    Meiji,
    Taisho,
    PrewarShowa,
    Postwar
};
inline constexpr int PeriodCount = 12;

// What a statement is about; a statement has one or two of them.
enum class Theme
{
    Politics = 0x01,
    Diplomacy = 0x02,
    Economy = 0x04,
    Society = 0x08,
    Culture = 0x10,
    Learning = 0x20
};
Q_DECLARE_FLAGS(Themes, Theme)
Q_DECLARE_OPERATORS_FOR_FLAGS(Themes)

inline constexpr std::array<Theme, 6> AllThemes {Theme::Politics, Theme::Diplomacy, Theme::Economy,
    Theme::Society, Theme::Culture, Theme::Learning};
inline constexpr int ThemeCount = int(AllThemes.size());

QString periodLabel(Period period);
QString themeLabel(Theme theme);
// The label as the layer files write it; anything else gives nothing.
std::optional<Period> periodOfLabel(QStringView label);
std::optional<Theme> themeOfLabel(QStringView label);
// A theme's place in AllThemes.
int themeIndex(Theme theme);

// What the study layer adds to one statement of the bank: why it is true or false, and where
// it stands in history.
struct StudyNote
{
    QString commentary;
    Period period = Period::Prehistoric;
    Themes themes;

    bool operator==(const StudyNote &) const = default;
};

} // namespace kivola
