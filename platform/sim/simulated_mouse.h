#pragma once

#include "common/result.h"
#include "device/device_images.h"
#include "device/feature_command.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace volantra {

// A model of the mouse's firmware: answers the read commands, keeps what it is sent, and
// refuses a command whose check byte is wrong. Thread-safe: the listener reads events
// while the UI thread sends commands.
class SimulatedMouse
{
public:
    // The report descriptors the mouse presents, one per hidraw node.
    static std::vector<std::uint8_t> commandDescriptor();
    static std::vector<std::uint8_t> eventDescriptor();
    static std::vector<std::uint8_t> pointerDescriptor();

    // Faults a test can switch on.
    enum class Fault {
        None,
        Unresponsive, // every transfer times out
        Stall,        // every transfer fails with an I/O error
        ShortReads,   // input reports come back with fewer bytes than announced
    };

    Status setFeature(std::span<const std::uint8_t> report);
    Status getFeature(std::span<std::uint8_t> report);
    Status writeOutput(std::span<const std::uint8_t> report);
    // The next input report of the command interface, if one is queued.
    Result<std::optional<std::vector<std::uint8_t>>> takeInput();

    // What the mouse holds.
    std::uint8_t currentProfile() const;
    void setCurrentProfile(std::uint8_t profile);
    std::uint8_t mode() const;
    std::uint8_t reportInterval() const;
    DeviceImage config() const;
    DeviceImage buttons() const;
    DeviceImage macro(std::size_t slot) const; // 1 to 12
    // Announced byte count of the configuration read; 128 on the real mouse.
    void setConfigReadLength(std::uint8_t length);
    void setFault(Fault fault);
    // Makes the transfer after the next count succeed fail with fault.
    void failAfter(int count, Fault fault);
    int commandsReceived() const;

private:
    Status checkFault();
    void queueImage(const DeviceImage& image, std::size_t byteCount);

    mutable std::mutex m_mutex;
    std::uint8_t m_profile = 0;
    std::uint8_t m_mode = 0;
    std::uint8_t m_reportInterval = 1;
    DeviceImage m_config{};
    DeviceImage m_buttons{};
    std::array<DeviceImage, kMacroSlotCount> m_macros{};
    FeatureCommand m_answer;
    bool m_answerReady = false;
    // An image being received: where the next chunks go and how many bytes are left.
    DeviceImage* m_receiving = nullptr;
    std::size_t m_received = 0;
    std::size_t m_expected = 0;
    std::deque<std::vector<std::uint8_t>> m_input;
    std::uint8_t m_configReadLength = 128;
    Fault m_fault = Fault::None;
    int m_faultCountdown = -1;
    Fault m_pendingFault = Fault::None;
    int m_commands = 0;
};

} // namespace volantra
