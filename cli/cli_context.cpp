#include "cli/cli_context.h"

#include "model/data_directory.h"
#include "platform/device_session.h"

#include <ostream>

namespace volantra {

int CliContext::usageError(const std::string& message) const
{
    err << "volantra-cli: " << message << "\n";
    return kExitUsage;
}

int CliContext::fail(const Error& error, int status) const
{
    err << "volantra-cli: " << error.message << "\n";
    return status;
}

Result<std::unique_ptr<DeviceSession>> CliContext::openSession() const
{
    DeviceSession::Options options;
    options.simulate = simulate;
    options.tracePath = tracePath;
    return DeviceSession::create(options);
}

} // namespace volantra

namespace volantra {

Result<DataDirectory> CliContext::dataDirectory(Access access) const
{
    DataDirectory::Inputs inputs = DataDirectory::inputsFromEnvironment(dataDir);
    // A new folder given with --data-dir starts with the installed defaults, as in the window.
    inputs.fillOverride = true;
    inputs.writable = access == Access::Change;
    return DataDirectory::resolve(inputs);
}

} // namespace volantra
