#pragma once

#include "common/result.h"
#include "device/device_images.h"
#include "device/feature_command.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace volantra {

class HidHandle;
class Sleeper;

// Carries feature commands and 128-byte images over the mouse's command interface.
// Every transfer has a time-out, and the first failure ends the operation.
class CommandTransport
{
public:
    static constexpr std::size_t kOutputReportSize = 65; // report id + one 64-byte chunk
    static constexpr std::size_t kChunkSize = 64;
    static constexpr std::chrono::milliseconds kChunkWait{20};
    static constexpr std::chrono::milliseconds kTransferTimeout{1000};

    CommandTransport(HidHandle& handle, std::uint16_t featureReportLength,
                     std::uint16_t inputReportLength, Sleeper& sleeper);

    // Sends record; for a read command the answer replaces record.
    Status sendCommand(FeatureCommand& record);
    // Sends record, then moves an image: for a write, the first arg2 bytes of image go out
    // in 64-byte output reports; for a read, the announced bytes of the answer (at most
    // 128) arrive in image.
    Status sendCommandWithData(FeatureCommand& record, DeviceImage& image);

    Sleeper& sleeper() { return m_sleeper; }

private:
    Status sendFeature(const FeatureCommand& record);
    Status fetchAnswer(FeatureCommand& record);
    Status writeImage(std::size_t byteCount, const DeviceImage& image);
    Status readImage(std::size_t byteCount, DeviceImage& image);

    HidHandle& m_handle;
    std::uint16_t m_featureReportLength;
    std::uint16_t m_inputReportLength;
    Sleeper& m_sleeper;
};

// The number of 64-byte chunks that carry byteCount bytes.
constexpr std::size_t chunkCount(std::size_t byteCount)
{
    return (byteCount + CommandTransport::kChunkSize - 1) / CommandTransport::kChunkSize;
}

} // namespace volantra
