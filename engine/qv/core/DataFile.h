#ifndef QV_CORE_DATAFILE_H
#define QV_CORE_DATAFILE_H

#include <string>
#include <vector>

namespace qv {

/// Where the engine reads a data file of its own, such as its font: name in
/// the working folder when it is there (a game may bring its own), else in
/// the first of dataFolders() that holds it, else name as it is, so that
/// opening it fails naming the working folder's file.
std::string findDataFile(const std::string& name);

/// The folders the engine looks in for its data files after the working
/// folder, in order: the environment's QV_DATA_DIR alone when it is set;
/// else the installed package's folder as the program knows it
/// (setPackageDataFolder()), then the one the engine's build was configured
/// to install into.
std::vector<std::string> dataFolders();

/// The folders of dataFolders() in one phrase for a message, such as
/// "/opt/qv/share/qv or /usr/local/share/qv".
std::string dataFoldersText();

/// Names the folder the installed package keeps the engine's data files in.
/// Every program built against the package calls it before main() (the
/// package's CMake configuration compiles the call in, with the folder the
/// package lies in then), so a package installed with any --prefix finds
/// its font; the engine's own programs may call it too. Returns 0.
int setPackageDataFolder(const char* folder);

} // namespace qv

#endif
