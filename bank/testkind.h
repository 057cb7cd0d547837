#pragma once

namespace kivola {

// What kind of test produced a set of answers. Stored as its number in the learning record, so
// the values never change.
enum class TestKind
{
    Ordinary = 0,
    PracticeMistakes = 1,
    PracticeUnseen = 2,
    PracticeChosen = 3,
    PracticeSelected = 4
};

} // namespace kivola
