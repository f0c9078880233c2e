#pragma once

#include <chrono>

namespace volantra {

// The waits the mouse needs between commands. Behind an interface so that tests and
// benchmarks can count them instead of sleeping.
class Sleeper
{
public:
    virtual ~Sleeper() = default;
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

class ThreadSleeper final : public Sleeper
{
public:
    void sleep(std::chrono::milliseconds duration) override;
};

// Adds the waits up without sleeping.
class CountingSleeper final : public Sleeper
{
public:
    void sleep(std::chrono::milliseconds duration) override { m_total += duration; }
    std::chrono::milliseconds total() const { return m_total; }

private:
    std::chrono::milliseconds m_total{0};
};

} // namespace volantra
