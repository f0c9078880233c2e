#pragma once

#include "common/pointer_settings.h"

#include <initializer_list>
#include <string>

namespace volantra {

// A desktop whose pointer settings live in memory: the simulated mode and the tests apply
// to it. It can stand for a desktop that lacks some settings: those it reports as
// unsupported and leaves as they were.
class MemoryPointerSettings final : public PointerSettings
{
public:
    explicit MemoryPointerSettings(std::string desktopName = "Memory",
                                   std::initializer_list<PointerSetting> missing = {});

    std::string desktopName() const override { return m_desktopName; }
    PointerReport apply(const PointerValues& values) override;

    // The desktop's settings now: its defaults until an apply changes them.
    const PointerValues& current() const { return m_current; }
    int applyCount() const { return m_applyCount; }

private:
    bool has(PointerSetting setting) const { return !m_missing[static_cast<std::size_t>(setting)]; }

    std::string m_desktopName;
    std::array<bool, kPointerSettings.size()> m_missing{};
    PointerValues m_current;
    int m_applyCount = 0;
};

} // namespace volantra
