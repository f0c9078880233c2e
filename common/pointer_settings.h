#pragma once

#include "common/result.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace volantra {

// The desktop's pointer settings the program changes, in the order they are applied.
enum class PointerSetting { Acceleration, Speed, WheelScroll, DoubleClickTime };
inline constexpr std::array kPointerSettings{PointerSetting::Acceleration, PointerSetting::Speed,
                                             PointerSetting::WheelScroll,
                                             PointerSetting::DoubleClickTime};

// The setting in words, for messages: "the pointer speed".
inline const char* pointerSettingName(PointerSetting setting)
{
    switch (setting) {
    case PointerSetting::Acceleration:
        return "the pointer acceleration (enhanced precision)";
    case PointerSetting::Speed:
        return "the pointer speed";
    case PointerSetting::WheelScroll:
        return "how far a wheel step scrolls";
    case PointerSetting::DoubleClickTime:
        return "the double-click time";
    }
    return "a pointer setting";
}

// The words a failed setting is told with, as the mouse's users know them (the language
// table translates them); the desktop's own reason follows on a line of its own.
inline const char* pointerFailureText(PointerSetting setting)
{
    switch (setting) {
    case PointerSetting::Acceleration:
        return "SETMOUSE failed.";
    case PointerSetting::Speed:
        return "SETMOUSESPEED failed.";
    case PointerSetting::WheelScroll:
        return "SETWHEELSCROLLLINES failed.";
    case PointerSetting::DoubleClickTime:
        return "SPI_SETDOUBLECLICKTIME failed.";
    }
    return "SETMOUSE failed.";
}

// What the desktop is asked for, on one scale for every desktop: a pointer speed of 1 to 20
// where 10 is the desktop's default, the double-click time in milliseconds, and the wheel
// step in lines or one screen. Each backend maps these onto its own settings and ranges.
struct PointerValues
{
    static constexpr int kSlowest = 1;
    static constexpr int kFastest = 20;
    static constexpr int kDefaultSpeed = 10;

    // Acceleration that follows how fast the hand moves; off moves the pointer by a
    // constant factor.
    bool enhancedPrecision = false;
    int speed = kDefaultSpeed;
    bool scrollByScreen = false;
    int scrollLines = 3; // used when not scrolling by screen
    int doubleClickMilliseconds = 480;

    friend bool operator==(const PointerValues&, const PointerValues&) = default;
};

// What became of one setting: written, not a setting this desktop has (the value stays in
// the profile, nothing went wrong), or refused with an error the user can act on.
class SettingOutcome
{
public:
    enum class State { Applied, Unsupported, Failed };

    SettingOutcome() = default; // applied
    static SettingOutcome unsupported(std::string reason)
    {
        return SettingOutcome(State::Unsupported, Error{Error::Kind::NotFound, std::move(reason)});
    }
    static SettingOutcome failed(Error error)
    {
        return SettingOutcome(State::Failed, std::move(error));
    }

    State state() const { return m_state; }
    bool applied() const { return m_state == State::Applied; }
    bool isUnsupported() const { return m_state == State::Unsupported; }
    bool isFailed() const { return m_state == State::Failed; }
    // Why the desktop lacks the setting, or what went wrong; empty when applied.
    const std::string& message() const { return m_detail.message; }
    // The failure as a status; a setting the desktop lacks is no failure.
    Status status() const { return isFailed() ? Status(m_detail) : Status(); }

    friend bool operator==(const SettingOutcome& a, const SettingOutcome& b)
    {
        return a.m_state == b.m_state && a.m_detail.message == b.m_detail.message;
    }

private:
    SettingOutcome(State state, Error detail) : m_state(state), m_detail(std::move(detail)) {}

    State m_state = State::Applied;
    Error m_detail;
};

// The outcome of each setting of one apply.
class PointerReport
{
public:
    const SettingOutcome& operator[](PointerSetting setting) const
    {
        return m_outcomes[static_cast<std::size_t>(setting)];
    }
    void set(PointerSetting setting, SettingOutcome outcome)
    {
        m_outcomes[static_cast<std::size_t>(setting)] = std::move(outcome);
    }
    // The error messages of the settings that failed, in the order they were applied; each
    // is worth a warning of its own.
    std::vector<std::string> failures() const;

private:
    std::array<SettingOutcome, kPointerSettings.size()> m_outcomes;
};

// The pointer settings of the desktop session the program runs in.
class PointerSettings
{
public:
    virtual ~PointerSettings() = default;

    // The desktop as its users call it ("GNOME", "KDE Plasma"), for messages.
    virtual std::string desktopName() const = 0;
    // Writes every setting the desktop has, in the order of PointerSetting, and goes on
    // after a failure. Values outside the desktop's ranges are clamped to them first.
    virtual PointerReport apply(const PointerValues& values) = 0;
};

} // namespace volantra
