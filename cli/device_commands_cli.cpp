#include "cli/device_commands_cli.h"

#include "cli/cli_context.h"
#include "cli/interrupt_watch.h"
#include "cli/json.h"
#include "common/hex.h"
#include "device/device_commands.h"
#include "device/device_event.h"
#include "device/event_listener.h"
#include "platform/device_session.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <ostream>
#include <sstream>

namespace volantra {
namespace {

std::string hex4(std::uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

Result<std::unique_ptr<DeviceSession>> openOrReport(CliContext& context, int& status)
{
    Result<std::unique_ptr<DeviceSession>> session = context.openSession();
    if (!session)
        status = context.fail(session.error());
    return session;
}

// Prints events from the listener thread; lines never interleave.
class EventPrinter final : public DeviceEventHandler
{
public:
    EventPrinter(std::ostream& out, bool json) : m_out(out), m_json(json) {}

    void handleDeviceEvent(DeviceEvent event) override
    {
        print(describeEvent(event.code, event.value), event.code, event.value);
    }

    void print(const std::string& text, int code, int value)
    {
        std::lock_guard lock(m_mutex);
        if (m_json) {
            m_out << "{\"event\":" << jsonString(text) << ",\"code\":" << code
                  << ",\"value\":" << value << "}\n";
        } else {
            m_out << text << "\n";
        }
        m_out.flush();
    }

private:
    std::mutex m_mutex;
    std::ostream& m_out;
    bool m_json;
};

// The simulated mouse can be told which event reports to send once the listener runs,
// so that scripts can try the events command without the hardware.
void emitSimulatedEvents(DeviceSession& session)
{
    const char* scripted = std::getenv("VOLANTRA_SIMULATE_EVENTS");
    if (session.simulator() == nullptr || scripted == nullptr)
        return;
    std::stringstream reports(scripted);
    std::string report;
    while (std::getline(reports, report, ',')) {
        if (std::optional<std::vector<std::uint8_t>> bytes = parseHex(report))
            session.simulator()->emitEvent(0, *bytes);
    }
}

} // namespace

int discoverOrFail(CliContext& context, DeviceSession& session)
{
    const Status found = session.link().discover();
    for (const std::string& warning : session.link().warnings())
        context.err << "volantra-cli: " << warning << "\n";
    if (found)
        return kExitOk;
    if (found.error().kind == Error::Kind::NotFound && session.link().mouseInterfaces().empty()) {
        context.err << "volantra-cli: no mouse\n";
        return kExitNoMouse;
    }
    const bool cannotOpen = found.error().kind == Error::Kind::Permission ||
                            found.error().kind == Error::Kind::NotFound ||
                            found.error().kind == Error::Kind::Gone;
    return context.fail(found.error(), cannotOpen ? kExitNoMouse : kExitFailure);
}

std::string describeEvent(std::uint8_t code, std::uint8_t value)
{
    const DeviceEvent event{code, value};
    if (event.isDpiStage())
        return "dpi-stage " + std::to_string(value);
    if (event.isMacroKey())
        return "macro " + std::to_string(value);
    return "event " + std::to_string(code) + " " + std::to_string(value);
}

int runDevices(CliContext& context, const std::vector<std::string>& arguments)
{
    if (!arguments.empty())
        return context.usageError("devices takes no arguments");
    int status = kExitOk;
    auto session = openOrReport(context, status);
    if (!session)
        return status;
    DeviceLink& link = (*session)->link();
    const Status found = link.discover();
    const auto& interfaces = link.mouseInterfaces();
    if (interfaces.empty()) {
        if (context.json)
            context.out << "{\"interfaces\":[],\"command\":null,\"event\":null}\n";
        else
            context.out << "no mouse\n";
        return kExitNoMouse;
    }
    const auto chosen = [](const std::optional<HidInterface>& interface) {
        return interface ? interface->path : std::string();
    };
    // A mouse that is listed but cannot be opened still shows which interfaces it has.
    const std::string command = found ? chosen(link.commandInterface()) : std::string();
    const std::string event = found ? chosen(link.eventInterface()) : std::string();
    if (context.json) {
        context.out << "{\"interfaces\":[";
        for (std::size_t i = 0; i < interfaces.size(); ++i) {
            const HidCollectionInfo& caps = interfaces[i].caps;
            context.out << (i ? "," : "") << "{\"node\":" << jsonString(interfaces[i].path)
                        << ",\"usagePage\":" << caps.usagePage << ",\"usage\":" << caps.usage
                        << ",\"input\":" << caps.inputReportLength
                        << ",\"output\":" << caps.outputReportLength
                        << ",\"feature\":" << caps.featureReportLength << "}";
        }
        context.out << "],\"command\":" << (command.empty() ? "null" : jsonString(command))
                    << ",\"event\":" << (event.empty() ? "null" : jsonString(event)) << "}\n";
    } else {
        for (const HidInterface& interface : interfaces) {
            context.out << interface.path << " usage-page=" << hex4(interface.caps.usagePage)
                        << " usage=" << hex4(interface.caps.usage)
                        << " input=" << interface.caps.inputReportLength
                        << " output=" << interface.caps.outputReportLength
                        << " feature=" << interface.caps.featureReportLength << "\n";
        }
        if (!command.empty())
            context.out << "command " << command << "\n";
        if (!event.empty())
            context.out << "event " << event << "\n";
    }
    for (const std::string& warning : link.warnings())
        context.err << "volantra-cli: " << warning << "\n";
    if (!found)
        return context.fail(found.error(), kExitNoMouse);
    return kExitOk;
}

int runConnect(CliContext& context, const std::vector<std::string>& arguments)
{
    if (!arguments.empty())
        return context.usageError("connect takes no arguments");
    int status = kExitOk;
    auto session = openOrReport(context, status);
    if (!session)
        return status;
    if (int failed = discoverOrFail(context, **session); failed != kExitOk)
        return failed;
    Result<std::uint8_t> profile = (*session)->link().commands()->connect();
    if (!profile)
        return context.fail(profile.error());
    if (Status traced = (*session)->traceStatus(); !traced)
        return context.fail(traced.error());
    context.out << "profile " << static_cast<int>(*profile) << "\n";
    return kExitOk;
}

int runEvents(CliContext& context, const std::vector<std::string>& arguments)
{
    if (!arguments.empty())
        return context.usageError("events takes no arguments");

    Result<std::unique_ptr<InterruptWatch>> interrupts = InterruptWatch::create();
    if (!interrupts)
        return context.fail(interrupts.error());

    int status = kExitOk;
    auto session = openOrReport(context, status);
    if (!session)
        return status;
    DeviceSession& device = **session;
    Result<std::unique_ptr<HotplugMonitor>> monitor = device.backend().createMonitor();
    if (!monitor)
        return context.fail(monitor.error());
    if (int failed = discoverOrFail(context, device); failed != kExitOk)
        return failed;
    if (Result<std::uint8_t> profile = device.link().commands()->connect(); !profile)
        context.err << "volantra-cli: " << profile.error().message << "\n";

    EventPrinter printer(context.out, context.json);
    EventListener listener(device.link(), device.waker(), printer);
    listener.start();
    emitSimulatedEvents(device);

    for (;;) {
        const InterruptWatch::Wake woke = (*interrupts)->wait(**monitor);
        if (woke != InterruptWatch::Wake::Notices)
            break;
        for (const HotplugNotice& notice : (*monitor)->receive()) {
            switch (device.link().handleHotplug(notice)) {
            case HotplugOutcome::Detected:
                if (DeviceCommands* commands = device.link().commands()) [[maybe_unused]]
                    auto profile = commands->connect();
                printer.print("detected", 14, 0);
                break;
            case HotplugOutcome::NotDetected:
                printer.print("not-detected", 15, 0);
                break;
            case HotplugOutcome::Ignored:
            case HotplugOutcome::StillConnected:
                break;
            }
        }
    }
    listener.stop();
    return kExitOk;
}

} // namespace volantra
