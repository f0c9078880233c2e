#pragma once

#include <string>
#include <vector>

namespace volantra {

struct CliContext;
class DeviceSession;

// Finds the mouse; on failure prints why and gives the exit status (0 when found).
int discoverOrFail(CliContext& context, DeviceSession& session);

// The commands that talk to the mouse: devices, connect and events.
int runDevices(CliContext& context, const std::vector<std::string>& arguments);
int runConnect(CliContext& context, const std::vector<std::string>& arguments);
int runEvents(CliContext& context, const std::vector<std::string>& arguments);

// What an event prints: "dpi-stage 2", "macro 3", or "event <code> <value>".
std::string describeEvent(std::uint8_t code, std::uint8_t value);

} // namespace volantra
