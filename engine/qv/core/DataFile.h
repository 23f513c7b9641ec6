#ifndef QV_CORE_DATAFILE_H
#define QV_CORE_DATAFILE_H

#include <string>

namespace qv {

/// Where the engine reads a data file of its own, such as its font: name in
/// the working folder when it is there (a game may bring its own), else in
/// the folder the engine was installed with, else name as it is, so that
/// opening it fails naming the working folder's file.
std::string findDataFile(const std::string& name);

/// The folder the installed package keeps the engine's data files in: the
/// environment's QV_DATA_DIR when set, else the one the build was
/// configured to install into.
const char* installedDataFolder();

} // namespace qv

#endif
