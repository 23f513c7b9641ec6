#include "GlDriver.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace qvbench {

namespace {

int pinIfDriver(dl_phdr_info* info, std::size_t, void*) {
    if (std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
        dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

} // namespace

void keepGlDriverLoaded() {
    dl_iterate_phdr(pinIfDriver, nullptr);
}

} // namespace qvbench
