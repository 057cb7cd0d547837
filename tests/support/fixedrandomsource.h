#pragma once

#include "quiz/randomsource.h"

#include <QList>

// Hands out a fixed sequence of uniform numbers, over and over, and counts the reseeds.
class FixedRandomSource final : public kivola::RandomSource
{
public:
    explicit FixedRandomSource(QList<float> values)
        : m_values(std::move(values))
    { }

    void seedFromClock() override { ++seeds; }
    float uniform() override { return m_values.at(m_next++ % m_values.size()); }

    int seeds = 0;

private:
    QList<float> m_values;
    qsizetype m_next = 0;
};
