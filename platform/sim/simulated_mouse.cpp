#include "platform/sim/simulated_mouse.h"

#include "common/hex.h"

#include <algorithm>

namespace volantra {
namespace {

std::vector<std::uint8_t> fromHex(std::string_view text)
{
    return *parseHex(text);
}

constexpr std::size_t kChunk = 64;
constexpr std::size_t kInputReportSize = 65;

} // namespace

std::vector<std::uint8_t> SimulatedMouse::commandDescriptor()
{
    // Vendor page 0xFF00: 8 feature bytes for commands, 64-byte output and input reports
    // for images, no report ids.
    return fromHex("06 00 FF 0A 00 FF A1 01 15 00 26 FF 00 75 08 09 01 95 08 B1 02"
                   " 09 02 95 40 91 02 09 03 95 40 81 02 C0");
}

std::vector<std::uint8_t> SimulatedMouse::eventDescriptor()
{
    // Vendor page 0xFF01, report id 6 with seven bytes: 06 07 <code> <value> ...
    return fromHex("06 01 FF 09 01 A1 01 85 06 09 01 15 00 26 FF 00 75 08 95 07 81 02 C0");
}

std::vector<std::uint8_t> SimulatedMouse::pointerDescriptor()
{
    // The ordinary pointer: three buttons, X, Y and wheel.
    return fromHex("05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01"
                   " 81 02 95 01 75 05 81 03 05 01 09 30 09 31 09 38 15 81 25 7F 75 08 95 03"
                   " 81 06 C0 C0");
}

Status SimulatedMouse::checkFault()
{
    if (m_faultCountdown > 0 && --m_faultCountdown == 0) {
        m_fault = m_pendingFault;
        m_faultCountdown = -1;
    }
    switch (m_fault) {
    case Fault::Unresponsive:
        return Error{Error::Kind::TimedOut, "the mouse did not answer"};
    case Fault::Stall:
        return Error{Error::Kind::Io, "the mouse refused the transfer"};
    case Fault::None:
    case Fault::ShortReads:
        break;
    }
    return {};
}

Status SimulatedMouse::setFeature(std::span<const std::uint8_t> report)
{
    std::lock_guard lock(m_mutex);
    if (Status status = checkFault(); !status)
        return status;
    if (report.size() < FeatureCommand::kReportSize || report[0] != FeatureCommand::kReportId)
        return Error{Error::Kind::InvalidInput, "feature report of the wrong size or id"};
    const FeatureCommand command =
        FeatureCommand::fromBytes(report.subspan<1, FeatureCommand::kSize>());
    if (command.withCheckByte() != command)
        return Error{Error::Kind::Io, "the mouse refused a command with a wrong check byte"};
    ++m_commands;
    m_answer = command;
    m_answerReady = command.isRead();
    m_receiving = nullptr;
    switch (command.code()) {
    case command::kSetMode:
        m_mode = command.arg1();
        break;
    case command::kSelectProfile:
        m_profile = command.arg1();
        break;
    case command::kSetReportRate:
        m_reportInterval = command.arg2();
        break;
    case command::kWriteConfig:
        m_receiving = &m_config;
        break;
    case command::kWriteButtons:
        m_receiving = &m_buttons;
        break;
    case command::kWriteMacro:
        if (command.arg1() >= 1 && command.arg1() <= kMacroSlotCount)
            m_receiving = &m_macros[command.arg1() - 1];
        break;
    case command::kReadProfile:
        m_answer = command.answeringProfile(m_profile);
        break;
    case command::kReadConfig:
        m_answer = command.announcingImageBytes(m_configReadLength);
        queueImage(m_config, m_configReadLength);
        break;
    default:
        break;
    }
    m_received = 0;
    m_expected = m_receiving ? command.imageByteCount() : 0;
    return {};
}

void SimulatedMouse::queueImage(const DeviceImage& image, std::size_t byteCount)
{
    m_input.clear();
    for (std::size_t offset = 0; offset < byteCount; offset += kChunk) {
        std::vector<std::uint8_t> report(kInputReportSize, 0);
        for (std::size_t i = 0; i < kChunk && offset + i < image.size(); ++i)
            report[1 + i] = image[offset + i];
        if (m_fault == Fault::ShortReads)
            report.resize(17);
        m_input.push_back(std::move(report));
    }
}

Status SimulatedMouse::getFeature(std::span<std::uint8_t> report)
{
    std::lock_guard lock(m_mutex);
    if (Status status = checkFault(); !status)
        return status;
    if (report.size() < FeatureCommand::kReportSize)
        return Error{Error::Kind::InvalidInput, "feature report buffer too small"};
    std::fill(report.begin(), report.end(), 0);
    if (m_answerReady)
        std::copy(m_answer.bytes().begin(), m_answer.bytes().end(), report.begin() + 1);
    m_answerReady = false;
    return {};
}

Status SimulatedMouse::writeOutput(std::span<const std::uint8_t> report)
{
    std::lock_guard lock(m_mutex);
    if (Status status = checkFault(); !status)
        return status;
    if (report.size() != kInputReportSize || report[0] != 0)
        return Error{Error::Kind::InvalidInput, "output report of the wrong size or id"};
    if (m_receiving == nullptr || m_received >= m_expected)
        return {}; // the firmware ignores data nobody announced
    const std::size_t length = std::min({kChunk, m_expected - m_received, kImageSize - m_received});
    std::copy_n(report.begin() + 1, length, m_receiving->begin() + m_received);
    m_received += length;
    return {};
}

Result<std::optional<std::vector<std::uint8_t>>> SimulatedMouse::takeInput()
{
    std::lock_guard lock(m_mutex);
    if (Status status = checkFault(); !status)
        return status.error();
    if (m_input.empty())
        return std::optional<std::vector<std::uint8_t>>();
    std::vector<std::uint8_t> report = std::move(m_input.front());
    m_input.pop_front();
    return std::optional(std::move(report));
}

std::uint8_t SimulatedMouse::currentProfile() const
{
    std::lock_guard lock(m_mutex);
    return m_profile;
}

void SimulatedMouse::setCurrentProfile(std::uint8_t profile)
{
    std::lock_guard lock(m_mutex);
    m_profile = profile;
}

std::uint8_t SimulatedMouse::mode() const
{
    std::lock_guard lock(m_mutex);
    return m_mode;
}

std::uint8_t SimulatedMouse::reportInterval() const
{
    std::lock_guard lock(m_mutex);
    return m_reportInterval;
}

DeviceImage SimulatedMouse::config() const
{
    std::lock_guard lock(m_mutex);
    return m_config;
}

DeviceImage SimulatedMouse::buttons() const
{
    std::lock_guard lock(m_mutex);
    return m_buttons;
}

DeviceImage SimulatedMouse::macro(std::size_t slot) const
{
    std::lock_guard lock(m_mutex);
    return slot >= 1 && slot <= kMacroSlotCount ? m_macros[slot - 1] : DeviceImage{};
}

void SimulatedMouse::setConfigReadLength(std::uint8_t length)
{
    std::lock_guard lock(m_mutex);
    m_configReadLength = length;
}

void SimulatedMouse::setFault(Fault fault)
{
    std::lock_guard lock(m_mutex);
    m_fault = fault;
    m_faultCountdown = -1;
}

void SimulatedMouse::failAfter(int count, Fault fault)
{
    std::lock_guard lock(m_mutex);
    m_faultCountdown = count + 1;
    m_pendingFault = fault;
}

int SimulatedMouse::commandsReceived() const
{
    std::lock_guard lock(m_mutex);
    return m_commands;
}

} // namespace volantra
