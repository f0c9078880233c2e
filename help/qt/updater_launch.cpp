#include "help/updater_launch.h"

#include "help/help_panel_rules.h"

#include <QFileInfo>
#include <QProcess>

namespace volantra {

Status launchFirmwareUpdater(const std::string& dataDirectory, const std::string& machine)
{
    const Result<std::string> updater = help_panel_rules::findUpdater(dataDirectory, machine);
    if (!updater)
        return updater.error();
    const QString program = QString::fromStdString(*updater);
    // The updater's own folder, where it finds its firmware files.
    if (!QProcess::startDetached(program, {}, QFileInfo(program).absolutePath()))
        return Error{Error::Kind::Io,
                     "The firmware updater " + *updater + " could not be started."};
    return {};
}

} // namespace volantra
