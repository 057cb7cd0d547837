#pragma once

namespace kivola {

// Where a test's draw gets its randomness; tests substitute a fixed sequence.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Called once at the start of every test, so that successive tests draw differently.
    virtual void seedFromClock() = 0;
    // Uniform in [0, 1).
    virtual float uniform() = 0;
};

} // namespace kivola
