#include "qv/core/DataFile.h"

#include <cstdlib>
#include <fstream>

namespace qv {

namespace {

bool canOpen(const std::string& path) {
    return std::ifstream(path).is_open();
}

} // namespace

const char* installedDataFolder() {
    // A package installed elsewhere than it was configured for.
    const char* moved = std::getenv("QV_DATA_DIR");
    return moved != nullptr && *moved != '\0' ? moved : QV_INSTALLED_DATA_DIR;
}

std::string findDataFile(const std::string& name) {
    if (canOpen(name)) {
        return name;
    }
    const std::string installed = std::string(installedDataFolder()) + "/" + name;
    return canOpen(installed) ? installed : name;
}

} // namespace qv
