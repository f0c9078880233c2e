#include "common/machine_name.h"

#include <sys/utsname.h>

namespace volantra {

std::string machineName()
{
    struct utsname system;
    if (::uname(&system) != 0)
        return {};
    return system.machine;
}

} // namespace volantra
