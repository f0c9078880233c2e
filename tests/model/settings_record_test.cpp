#include "model/settings_record.h"
#include "model/settings_snapshot.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>

namespace volantra {
namespace {

SettingsRecord::Bytes randomBytes(unsigned seed)
{
    std::mt19937 random(seed);
    SettingsRecord::Bytes bytes{};
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    return bytes;
}

// Every byte except `offset` is unchanged.
void expectOnlyByteChanged(const SettingsRecord::Bytes& before, const SettingsRecord& after,
                           std::size_t offset, std::uint8_t value, const char* field)
{
    for (std::size_t i = 0; i < SettingsRecord::kSize; ++i) {
        if (i == offset) {
            EXPECT_EQ(after.bytes()[i], value) << field;
        } else {
            ASSERT_EQ(after.bytes()[i], before[i]) << field << " touched offset " << i;
        }
    }
}

struct ScalarField
{
    const char* name;
    std::size_t offset;
    std::function<std::uint8_t(const SettingsRecord&)> get;
    std::function<void(SettingsRecord&, std::uint8_t)> set;
};

const ScalarField kScalarFields[] = {
    {"profile", 0x000, &SettingsRecord::profile, &SettingsRecord::setProfile},
    {"report interval", 0x005, &SettingsRecord::reportInterval, &SettingsRecord::setReportInterval},
    {"lighting mode", 0x02F, &SettingsRecord::lightingMode, &SettingsRecord::setLightingMode},
    {"scroll mode", 0x034, &SettingsRecord::scrollMode, &SettingsRecord::setScrollMode},
    {"pointer speed", 0x035, &SettingsRecord::pointerSpeed, &SettingsRecord::setPointerSpeed},
    {"wheel scroll lines", 0x036, &SettingsRecord::wheelScrollLines,
     &SettingsRecord::setWheelScrollLines},
    {"double-click speed", 0x037, &SettingsRecord::doubleClickSpeed,
     &SettingsRecord::setDoubleClickSpeed},
    {"angle snap", 0x038, &SettingsRecord::angleSnapLevel, &SettingsRecord::setAngleSnapLevel},
    {"X sensitivity", 0x03A, &SettingsRecord::xSensitivity, &SettingsRecord::setXSensitivity},
    {"Y sensitivity", 0x03B, &SettingsRecord::ySensitivity, &SettingsRecord::setYSensitivity},
};

TEST(SettingsRecord, EachScalarFieldReadsAndWritesItsOwnByte)
{
    for (const ScalarField& field : kScalarFields) {
        SettingsRecord::Bytes bytes = randomBytes(1);
        bytes[field.offset] = 0xA7;
        SettingsRecord record(bytes);
        EXPECT_EQ(field.get(record), 0xA7) << field.name;
        field.set(record, 0x3C);
        expectOnlyByteChanged(bytes, record, field.offset, 0x3C, field.name);
        EXPECT_EQ(field.get(record), 0x3C) << field.name;
    }
}

struct IndexedField
{
    const char* name;
    std::size_t offset;
    std::size_t count;
    std::function<std::uint8_t(const SettingsRecord&, std::size_t)> get;
    std::function<void(SettingsRecord&, std::size_t, std::uint8_t)> set;
};

std::function<std::uint8_t(const SettingsRecord&, std::size_t)>
buttonGetter(std::uint8_t ButtonParameters::*member)
{
    return [member](const SettingsRecord& record, std::size_t index) {
        return record.button(index).*member;
    };
}

std::function<void(SettingsRecord&, std::size_t, std::uint8_t)>
buttonSetter(std::uint8_t ButtonParameters::*member)
{
    return [member](SettingsRecord& record, std::size_t index, std::uint8_t value) {
        ButtonParameters parameters = record.button(index);
        parameters.*member = value;
        record.setButton(index, parameters);
    };
}

using P = ButtonParameters;

const IndexedField kIndexedFields[] = {
    {"DPI stage", 0x007, 4, &SettingsRecord::dpiStage, &SettingsRecord::setDpiStage},
    {"lighting level", 0x030, 3, &SettingsRecord::lightingLevel, &SettingsRecord::setLightingLevel},
    {"button kind", 0x03C, 8, &SettingsRecord::buttonKind, &SettingsRecord::setButtonKind},
    {"kind", 0x03C, 8, buttonGetter(&P::kind), buttonSetter(&P::kind)},
    {"scroll choice", 0x044, 8, buttonGetter(&P::scrollChoice), buttonSetter(&P::scrollChoice)},
    {"DPI choice", 0x04C, 8, buttonGetter(&P::dpiChoice), buttonSetter(&P::dpiChoice)},
    {"multimedia usage", 0x05C, 8, buttonGetter(&P::multimediaUsage),
     buttonSetter(&P::multimediaUsage)},
    {"windows choice", 0x064, 8, buttonGetter(&P::windowsChoice), buttonSetter(&P::windowsChoice)},
    {"hot-key usage", 0x084, 8, buttonGetter(&P::hotKeyUsage), buttonSetter(&P::hotKeyUsage)},
    {"single-key usage", 0x08C, 8, buttonGetter(&P::singleKeyUsage),
     buttonSetter(&P::singleKeyUsage)},
    {"combo modifiers", 0x094, 8, buttonGetter(&P::comboModifiers),
     buttonSetter(&P::comboModifiers)},
    {"combo first key", 0x09C, 8, buttonGetter(&P::comboFirstKey), buttonSetter(&P::comboFirstKey)},
    {"combo second key", 0x0A4, 8, buttonGetter(&P::comboSecondKey),
     buttonSetter(&P::comboSecondKey)},
    {"macro position", 0x0CC, 8, buttonGetter(&P::macroPosition), buttonSetter(&P::macroPosition)},
    {"macro repeat mode", 0x0D4, 8, buttonGetter(&P::macroRepeatMode),
     buttonSetter(&P::macroRepeatMode)},
};

TEST(SettingsRecord, EachArrayElementReadsAndWritesItsOwnByte)
{
    for (const IndexedField& field : kIndexedFields) {
        for (std::size_t index = 0; index < field.count; ++index) {
            SettingsRecord::Bytes bytes = randomBytes(static_cast<unsigned>(index) + 2);
            bytes[field.offset + index] = 0xC1;
            SettingsRecord record(bytes);
            EXPECT_EQ(field.get(record, index), 0xC1) << field.name << " " << index;
            field.set(record, index, 0x19);
            expectOnlyByteChanged(bytes, record, field.offset + index, 0x19, field.name);
        }
    }
}

TEST(SettingsRecord, IndicesPastTheEndAreRejected)
{
    SettingsRecord record;
    for (const IndexedField& field : kIndexedFields) {
        EXPECT_THROW(field.get(record, field.count), std::out_of_range) << field.name;
        EXPECT_THROW(field.set(record, field.count, 1), std::out_of_range) << field.name;
    }
    EXPECT_THROW(record.stageColour(4), std::out_of_range);
    EXPECT_THROW(record.setStageColour(4, {}), std::out_of_range);
    EXPECT_THROW(record.macroImage(12), std::out_of_range);
    EXPECT_THROW(record.setMacroImage(12, {}), std::out_of_range);
    EXPECT_EQ(record, SettingsRecord());
}

TEST(SettingsRecord, StageColoursAreStoredRedBlueGreen)
{
    SettingsRecord record;
    for (std::size_t stage = 0; stage < 4; ++stage) {
        const auto base = static_cast<std::uint8_t>(0x10 * (stage + 1));
        record.setStageColour(
            stage, {.red = base, .green = std::uint8_t(base + 2), .blue = std::uint8_t(base + 1)});
    }
    const std::uint8_t expected[] = {0x10, 0x11, 0x12, 0x20, 0x21, 0x22,
                                     0x30, 0x31, 0x32, 0x40, 0x41, 0x42};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(record.bytes()[0x017 + i], expected[i]) << i;
    // Stages 5 and 6 follow and are left alone.
    for (std::size_t i = 0x023; i <= 0x028; ++i)
        EXPECT_EQ(record.bytes()[i], 0) << i;
    EXPECT_EQ(record.stageColour(2), (StageColour{.red = 0x30, .green = 0x32, .blue = 0x31}));
}

TEST(SettingsRecord, EnhancePointerPrecisionIsOnOnlyForOne)
{
    for (unsigned value = 0; value <= 0xFF; ++value) {
        SettingsRecord::Bytes bytes{};
        bytes[0x033] = static_cast<std::uint8_t>(value);
        EXPECT_EQ(SettingsRecord(bytes).enhancePointerPrecision(), value == 1) << value;
    }
    SettingsRecord record;
    record.setEnhancePointerPrecision(true);
    EXPECT_EQ(record.bytes()[0x033], 1);
    record.setEnhancePointerPrecision(false);
    EXPECT_EQ(record.bytes()[0x033], 0);
}

TEST(SettingsRecord, MacroImagesFollowTheSettings)
{
    const SettingsRecord::Bytes bytes = randomBytes(7);
    SettingsRecord record(bytes);
    for (std::size_t slot = 0; slot < 12; ++slot) {
        const DeviceImage image = record.macroImage(slot);
        for (std::size_t i = 0; i < 128; ++i)
            ASSERT_EQ(image[i], bytes[0x0DC + 128 * slot + i]) << slot << " " << i;
    }
    DeviceImage image{};
    image.fill(0xEE);
    record.setMacroImage(11, image);
    EXPECT_EQ(record.bytes()[0x0DC + 128 * 11 - 1], bytes[0x0DC + 128 * 11 - 1]);
    EXPECT_EQ(record.bytes()[0x0DC + 128 * 11], 0xEE);
    EXPECT_EQ(record.bytes()[SettingsRecord::kSize - 1], 0xEE);
}

TEST(SettingsRecord, KeepsUninterpretedBytesThroughEveryEdit)
{
    const SettingsRecord::Bytes bytes = randomBytes(3);
    SettingsRecord record(bytes);
    record.setProfile(0);
    record.setDpiStage(1, 16);
    record.setStageColour(0, {1, 2, 3});
    record.setLightingLevel(2, 4);
    record.setButton(7, ButtonParameters{});
    record.setMacroImage(0, DeviceImage{});
    const std::pair<std::size_t, std::size_t> uninterpreted[] = {
        {0x001, 0x004}, {0x006, 0x006}, {0x00B, 0x016}, {0x029, 0x02E},
        {0x039, 0x039}, {0x054, 0x05B}, {0x06C, 0x083}, {0x0AC, 0x0CB},
    };
    for (const auto& [first, last] : uninterpreted) {
        for (std::size_t i = first; i <= last; ++i)
            EXPECT_EQ(record.bytes()[i], bytes[i]) << i;
    }
    EXPECT_EQ(SettingsRecord(record.bytes()), record);
}

TEST(SettingsRecord, TakingSettingsKeepsTheMacros)
{
    SettingsRecord record(randomBytes(4));
    const SettingsRecord defaults(randomBytes(5));
    const SettingsRecord before = record;
    record.takeSettingsFrom(defaults);
    for (std::size_t i = 0; i < SettingsRecord::kSize; ++i) {
        const std::uint8_t expected = i < 0x0DC ? defaults.bytes()[i] : before.bytes()[i];
        ASSERT_EQ(record.bytes()[i], expected) << i;
    }
}

TEST(SettingsSnapshot, CancelRestoresTheWholeRecord)
{
    SettingsRecord record(randomBytes(6));
    const SettingsRecord loaded = record;
    SettingsSnapshot snapshot;
    snapshot.take(record);
    EXPECT_TRUE(snapshot.matches(record));

    record.setDpiStage(0, 99);
    record.setMacroImage(3, DeviceImage{});
    EXPECT_FALSE(snapshot.matches(record));

    snapshot.restoreInto(record);
    EXPECT_EQ(record, loaded);
}

} // namespace
} // namespace volantra
