#include "qv/core/DataFile.h"

#include <cstdlib>
#include <fstream>

namespace qv {

namespace {

bool canOpen(const std::string& path) {
    return std::ifstream(path).is_open();
}

// Set before main() by the programs built against the package: a function's
// own static is ready whichever object file's initialiser runs first.
std::string& packageFolder() {
    static std::string folder;
    return folder;
}

} // namespace

int setPackageDataFolder(const char* folder) {
    packageFolder() = folder != nullptr ? folder : "";
    return 0;
}

std::vector<std::string> dataFolders() {
    const char* chosen = std::getenv("QV_DATA_DIR");
    if (chosen != nullptr && *chosen != '\0') {
        return {chosen};
    }
    std::vector<std::string> folders;
    if (!packageFolder().empty()) {
        folders.push_back(packageFolder());
    }
    if (packageFolder() != QV_INSTALLED_DATA_DIR) {
        folders.push_back(QV_INSTALLED_DATA_DIR);
    }
    return folders;
}

std::string dataFoldersText() {
    const std::vector<std::string> folders = dataFolders();
    std::string text;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == folders.size() ? " or " : ", ") + folders[i];
    }
    return text;
}

std::string findDataFile(const std::string& name) {
    if (canOpen(name)) {
        return name;
    }
    for (const std::string& folder : dataFolders()) {
        const std::string path = folder + "/" + name;
        if (canOpen(path)) {
            return path;
        }
    }
    return name;
}

} // namespace qv
