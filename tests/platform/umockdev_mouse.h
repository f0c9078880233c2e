#pragma once

#include "device/device_images.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace volantra::test {

// The mouse on a umockdev testbed: sysfs devices that libudev enumerates and monitors, and
// hidraw nodes whose ioctls, reads and writes are answered by a small model of the mouse's
// firmware. The process must run under umockdev-wrapper. Firmware handlers run on
// umockdev's own thread; every method here may be called from any test thread.
//
// The node numbers lie beyond the 64 hidraw minors the kernel hands out, so a node that is
// missing from the testbed can never be a real device of the machine.
class UmockdevMouse
{
public:
    enum class Node { Foreign, Pointer, Command, Event };
    static std::string path(Node node);

    // An eight-byte command record as the firmware took it from a feature report.
    using Record = std::array<std::uint8_t, 8>;
    // An image the firmware collected from the output reports after a write command.
    struct Image
    {
        std::uint8_t code = 0; // 0x0C config, 0x0D buttons, 0x0F macro
        std::uint8_t slot = 0; // the command's first argument
        std::vector<std::uint8_t> bytes;
    };

    UmockdevMouse();
    ~UmockdevMouse();
    UmockdevMouse(const UmockdevMouse&) = delete;
    UmockdevMouse& operator=(const UmockdevMouse&) = delete;

    // False when the testbed could not be made (for example without umockdev-wrapper);
    // problem() then says why.
    bool ready() const;
    std::string problem() const;

    // Another vendor's mouse (046d:c077) on its own USB port, never unplugged.
    bool plugForeign();
    // The mouse with its three nodes: event, command and a plain pointer collection.
    // Sends the "add" uevents. Plugging again after unplug() reuses the node names.
    bool plug();
    // Fails reads that are waiting in the firmware with EIO, hangs up the nodes, sends the
    // "remove" uevents and deletes the devices. Handles opened before now get ENODEV.
    void unplug();
    bool plugged() const;

    // Firmware state.
    void setProfile(std::uint8_t profile);
    void setConfigImage(const DeviceImage& image);
    // Queues an input report on the event node, as the mouse sends one by itself.
    void queueEvent(std::vector<std::uint8_t> report);
    // Every record the firmware accepted, oldest first.
    std::vector<Record> records() const;
    std::size_t rejectedRecords() const;
    std::vector<Image> images() const;
    // How often the node was opened since the testbed was made.
    std::size_t openCount(Node node) const;

    // Faults.
    // Every later feature ioctl fails with error (EIO, ETIMEDOUT, ...).
    void failFeaturesWith(int error);
    // Read commands are taken and answered, but their input reports never come.
    void withholdInputReports();
    // The writesFromNow-th output report from now fails with ENODEV and the mouse is gone
    // from then on, as when the cable is pulled in the middle of a transfer.
    void vanishAtWrite(std::size_t writesFromNow);
    // While held, reads wait in the firmware even when reports are queued, so that a test
    // can unplug the mouse under a read that is already in progress.
    void holdReads(bool hold);
    bool waitForHeldRead(std::chrono::milliseconds limit);
    bool waitForImages(std::size_t count, std::chrono::milliseconds limit);
    // Takes all access rights off the node (chmod 0), as without the udev rule.
    void denyAccess(Node node);

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace volantra::test
