// Each test process works in a fresh directory of its own, with the game's
// data linked in, so tests can run side by side without sharing quorvel.log
// or the files they write. A test that sends real input (QV_OWN_SCREEN names
// the script) first moves onto a virtual X screen of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (const char* own = std::getenv("QV_OWN_SCREEN"); own != nullptr && *own != '\0') {
        std::string script = own;
        unsetenv("QV_OWN_SCREEN");
        std::vector<char*> command = {const_cast<char*>("bash"), script.data()};
        command.insert(command.end(), argv, argv + argc + 1);
        execvp("bash", command.data());
        std::perror("bash");
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }

    namespace fs = std::filesystem;
    std::string pattern = (fs::current_path() / "run-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror(pattern.c_str());
        return 1;
    }
    const fs::path dir = pattern;
    for (const char* entry : {"Sprites", "Audio", "qv-font.ttf"}) {
        fs::create_symlink(fs::path(QV_SOURCE_DIR) / entry, dir / entry);
    }
    fs::current_path(dir);
    const int result = RUN_ALL_TESTS();
    fs::current_path(dir.parent_path());
    if (result == 0) {
        fs::remove_all(dir);
    } else {
        std::fprintf(stderr, "The test's files are kept in %s\n", dir.c_str());
    }
    return result;
}
