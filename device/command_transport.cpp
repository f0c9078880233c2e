#include "device/command_transport.h"

#include "device/hid_backend.h"
#include "device/sleeper.h"

#include <algorithm>
#include <vector>

namespace volantra {

CommandTransport::CommandTransport(HidHandle& handle, std::uint16_t featureReportLength,
                                   std::uint16_t inputReportLength, Sleeper& sleeper)
    : m_handle(handle), m_featureReportLength(featureReportLength),
      m_inputReportLength(inputReportLength), m_sleeper(sleeper)
{
}

Status CommandTransport::sendFeature(const FeatureCommand& record)
{
    // Report id 0, then the record; the check byte is always computed here.
    std::vector<std::uint8_t> report(
        std::max<std::size_t>(m_featureReportLength, FeatureCommand::kReportSize), 0);
    report[0] = FeatureCommand::kReportId;
    const FeatureCommand checked = record.withCheckByte();
    std::copy(checked.bytes().begin(), checked.bytes().end(), report.begin() + 1);
    return m_handle.setFeature(report);
}

Status CommandTransport::fetchAnswer(FeatureCommand& record)
{
    std::vector<std::uint8_t> report(
        std::max<std::size_t>(m_featureReportLength, FeatureCommand::kReportSize), 0);
    if (Status status = m_handle.getFeature(report); !status)
        return status;
    record = FeatureCommand::fromBytes(std::span(report).subspan<1, FeatureCommand::kSize>());
    return {};
}

Status CommandTransport::sendCommand(FeatureCommand& record)
{
    if (Status status = sendFeature(record); !status)
        return status;
    if (!record.isRead())
        return {};
    return fetchAnswer(record);
}

Status CommandTransport::sendCommandWithData(FeatureCommand& record, DeviceImage& image)
{
    if (Status status = sendFeature(record); !status)
        return status;
    if (!record.isRead())
        return writeImage(record.imageByteCount(), image);
    if (Status status = fetchAnswer(record); !status)
        return status;
    return readImage(record.imageByteCount(), image);
}

Status CommandTransport::writeImage(std::size_t byteCount, const DeviceImage& image)
{
    // The mouse takes at most one image per command; never send bytes from beyond it.
    byteCount = std::min(byteCount, image.size());
    std::array<std::uint8_t, kOutputReportSize> report{};
    for (std::size_t chunk = 0; chunk < chunkCount(byteCount); ++chunk) {
        report.fill(0);
        const std::size_t offset = chunk * kChunkSize;
        const std::size_t length = std::min(kChunkSize, image.size() - offset);
        std::copy_n(image.begin() + offset, length, report.begin() + 1);
        if (Status status = m_handle.write(report, kTransferTimeout); !status)
            return status;
        m_sleeper.sleep(kChunkWait);
    }
    return {};
}

Status CommandTransport::readImage(std::size_t byteCount, DeviceImage& image)
{
    // Every announced report is read so none stays queued, but only the first 128 bytes
    // are kept, and never more than a report actually held.
    std::vector<std::uint8_t> report(std::max<std::size_t>(m_inputReportLength, 1), 0);
    for (std::size_t chunk = 0; chunk < chunkCount(byteCount); ++chunk) {
        std::fill(report.begin(), report.end(), 0);
        Result<std::size_t> received = m_handle.read(report, kTransferTimeout);
        if (!received)
            return received.error();
        const std::size_t offset = chunk * kChunkSize;
        if (offset >= image.size() || *received <= 1)
            continue;
        const std::size_t length =
            std::min({kChunkSize, *received - 1, image.size() - offset, byteCount - offset});
        std::copy_n(report.begin() + 1, length, image.begin() + offset);
    }
    return {};
}

} // namespace volantra
