#include "macro/macro_encoder.h"
#include "macro/macro_recorder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace volantra {
namespace {

using Lines = std::vector<std::string>;
using Outcome = MacroRecorder::Outcome;

struct Key
{
    std::string name;
    bool release;
    std::uint32_t at; // ms
    bool autoRepeat = false;
};

Key down(std::string name, std::uint32_t at)
{
    return {std::move(name), false, at};
}
Key up(std::string name, std::uint32_t at)
{
    return {std::move(name), true, at};
}
Key repeat(std::string name, std::uint32_t at)
{
    return {std::move(name), false, at, true};
}

std::vector<Outcome> play(MacroRecorder& recorder, const std::vector<Key>& keys)
{
    std::vector<Outcome> outcomes;
    for (const Key& key : keys)
        outcomes.push_back(recorder.key(key.name, key.release, key.autoRepeat, key.at));
    return outcomes;
}

TEST(MacroRecorder, RecordsKeysAndThePausesBetweenThem)
{
    const struct
    {
        const char* what;
        bool recordDelays;
        std::vector<Key> keys;
        Lines lines;
    } cases[] = {
        {"pauses before every event but the first",
         true,
         {down("A", 1000), up("A", 1080), down("B", 1280), up("B", 1350)},
         {"A   Dn", "80 ms", "A   Up", "200 ms", "B   Dn", "70 ms", "B   Up"}},
        {"no pauses without the delay option",
         false,
         {down("A", 1000), up("A", 1080), down("B", 1280), up("B", 1350)},
         {"A   Dn", "A   Up", "B   Dn", "B   Up"}},
        {"a held key records one press, not its repeats",
         true,
         {down("A", 0),
          repeat("A", 500),
          {"A", true, 530, true},
          repeat("A", 560),
          down("A", 590),
          up("A", 600)},
         {"A   Dn", "600 ms", "A   Up"}},
        {"the first key's repeats are not recorded either",
         false,
         {repeat("X", 0), down("X", 10), repeat("X", 40), up("X", 50)},
         {"X   Dn", "X   Up"}},
        {"a chord",
         true,
         {down("Shift", 0), down("A", 30), up("A", 90), up("Shift", 95)},
         {"Shift   Dn", "30 ms", "A   Dn", "60 ms", "A   Up", "5 ms", "Shift   Up"}},
        {"a key held before the start is released as typed",
         false,
         {up("Ctrl", 5), down("A", 10), up("A", 20)},
         {"Ctrl   Up", "A   Dn", "A   Up"}},
        {"the event clock wraps at 32 bits",
         true,
         {down("A", 0xFFFFFF00u), up("A", 0x64)},
         {"A   Dn", "356 ms", "A   Up"}},
        {"a pause too long to play is the longest one",
         true,
         {down("A", 0), up("A", 4000000000u)},
         {"A   Dn", "6553500 ms", "A   Up"}},
    };
    for (const auto& c : cases) {
        MacroRecorder recorder;
        recorder.start(c.recordDelays);
        play(recorder, c.keys);
        EXPECT_EQ(recorder.lines(), c.lines) << c.what;
        recorder.stop();
        EXPECT_EQ(recorder.lines(), c.lines) << c.what << ": nothing held, nothing added";
        EXPECT_FALSE(recorder.recording());
    }
}

TEST(MacroRecorder, StopReleasesTheKeysStillHeld)
{
    MacroRecorder recorder;
    recorder.start(true);
    play(recorder, {down("Shift", 0), down("A", 40), down("B", 50), up("A", 60)});
    EXPECT_EQ(recorder.heldKeys(), (Lines{"Shift", "B"}));
    recorder.stop();
    EXPECT_EQ(recorder.lines(), (Lines{"Shift   Dn", "40 ms", "A   Dn", "10 ms", "B   Dn", "10 ms",
                                       "A   Up", "B   Up", "Shift   Up"}));
    EXPECT_TRUE(recorder.heldKeys().empty());
    EXPECT_EQ(recorder.key("C", false, false, 70), Outcome::Ignored) << "no longer recording";
}

TEST(MacroRecorder, TheStopCombinationIsNotRecorded)
{
    const struct
    {
        const char* what;
        std::vector<Key> keys;
        Lines lines;
    } cases[] = {
        {"the Ctrl press of Ctrl+Pause goes, with its pause",
         {down("A", 0), down("Ctrl", 100)},
         {"A   Dn", "A   Up"}},
        {"either Ctrl",
         {down("B", 0), up("B", 10), down("Right Ctrl", 20)},
         {"B   Dn", "10 ms", "B   Up"}},
        {"both", {down("Ctrl", 0), down("Right Ctrl", 20)}, {}},
        {"a Ctrl held for other keys stays, and is released",
         {down("Ctrl", 0), down("C", 30), up("C", 50)},
         {"Ctrl   Dn", "30 ms", "C   Dn", "20 ms", "C   Up", "Ctrl   Up"}},
        {"a Ctrl released before is no part of it",
         {down("Ctrl", 0), up("Ctrl", 30)},
         {"Ctrl   Dn", "30 ms", "Ctrl   Up"}},
    };
    for (const auto& c : cases) {
        MacroRecorder recorder;
        recorder.start(true);
        play(recorder, c.keys);
        recorder.stopOnCombination();
        EXPECT_EQ(recorder.lines(), c.lines) << c.what;
        EXPECT_EQ(recorder.records(), macroRecordCount(recorder.lines(), true)) << c.what;
    }
}

// Press and release `key` `pairs` times, `pause` ms apart, from `at`.
std::vector<Key> taps(const std::string& key, int pairs, std::uint32_t pause, std::uint32_t at)
{
    std::vector<Key> keys;
    for (int i = 0; i < pairs; ++i) {
        keys.push_back(down(key, at += pause));
        keys.push_back(up(key, at += pause));
    }
    return keys;
}

TEST(MacroRecorder, StopsBeforeTheImageIsFullWithRoomForTheReleases)
{
    struct Case
    {
        const char* what;
        bool recordDelays;
        std::vector<Key> keys;
        std::size_t recorded; // events taken before the stop
        Lines releasesAppended;
    };
    std::vector<Key> heldShift = {down("Shift", 0)};
    const std::vector<Key> shiftTaps = taps("A", 40, 10, 0);
    heldShift.insert(heldShift.end(), shiftTaps.begin(), shiftTaps.end());
    std::vector<Key> twoHeld = {down("Ctrl", 0), down("Alt", 5)};
    const std::vector<Key> twoHeldTaps = taps("A", 40, 10, 5);
    twoHeld.insert(twoHeld.end(), twoHeldTaps.begin(), twoHeldTaps.end());

    const Case cases[] = {
        // 62 one-record events; a 63rd press would leave no room for its release.
        {"short taps", false, taps("A", 40, 10, 0), 62, {}},
        {"short taps with pauses", true, taps("A", 40, 10, 0), 62, {}},
        // Every pause of 2 s makes the event before it take two records.
        {"long pauses", true, taps("A", 40, 2000, 0), 32, {}},
        {"a key held throughout", false, heldShift, 61, {"Shift"}},
        {"two keys held throughout", false, twoHeld, 60, {"Alt", "Ctrl"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MacroRecorder recorder;
        recorder.start(c.recordDelays);
        const std::vector<Outcome> outcomes = play(recorder, c.keys);
        ASSERT_LT(c.recorded, outcomes.size());
        EXPECT_TRUE(std::all_of(outcomes.begin(), outcomes.begin() + c.recorded,
                                [](Outcome o) { return o == Outcome::Recorded; }));
        EXPECT_EQ(outcomes[c.recorded], Outcome::Stopped);
        EXPECT_TRUE(std::all_of(outcomes.begin() + c.recorded + 1, outcomes.end(),
                                [](Outcome o) { return o == Outcome::Ignored; }));
        EXPECT_FALSE(recorder.recording());

        const Lines& lines = recorder.lines();
        Lines tail(lines.end() - static_cast<long>(c.releasesAppended.size()), lines.end());
        Lines expectedTail;
        for (const std::string& key : c.releasesAppended)
            expectedTail.push_back(key + "   Up");
        EXPECT_EQ(tail, expectedTail);

        // The whole recording, releases included, fits and is written uncut.
        EXPECT_LE(recorder.records(), kMacroRecordCapacity);
        EXPECT_EQ(recorder.records(), macroRecordCount(lines, c.recordDelays));
        MacroSource source;
        source.recordDelays = c.recordDelays;
        source.items = lines;
        EXPECT_FALSE(encodeMacro(source).cut);
    }
}

TEST(MacroRecorder, ARestartForgetsThePreviousRecording)
{
    MacroRecorder recorder;
    recorder.start(true);
    play(recorder, {down("A", 100), down("B", 200)});
    recorder.start(true);
    EXPECT_TRUE(recorder.lines().empty());
    EXPECT_TRUE(recorder.heldKeys().empty());
    EXPECT_EQ(recorder.records(), 0u);
    play(recorder, {down("A", 900)});
    EXPECT_EQ(recorder.lines(), Lines{"A   Dn"}) << "the first line has no pause before it";
}

} // namespace
} // namespace volantra
