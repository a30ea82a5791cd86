// Where a program's own files lie: the read-only data that ships with it (the index pictures,
// the window pictures, the help book) and the writable program folder (MIMETYPE.DAT, the
// default archive folder).
//
// In a build tree, and on Windows, both are the folder of the program file. A program installed
// under PREFIX/bin on Linux finds its data in PREFIX/share/pagehold/ and writes into
// $XDG_DATA_HOME/pagehold/ (~/.local/share/pagehold/ by default), because the folder of an
// installed program is not the user's to write into. MIMETYPE.DAT is written on every reading
// that meets a new type, by whoever runs the program, so outside Windows it always lives in the
// user's data folder, also for a program run from a build tree.
#pragma once

#include <string>

namespace pagehold {

struct ProgramFolders {
  std::string program;    // writable; with a trailing separator
  std::string data;       // read-only; with a trailing separator
  std::string mimeTable;  // where MIMETYPE.DAT is kept; with a trailing separator
};

// The rule over given places: the folder of the program file and the environment values (a
// null pointer is an unset variable). Reads the disk to see which layout is there.
ProgramFolders LocateProgramFolders(const std::string& executableFolder, const char* dataHome,
                                    const char* home);

// The folders of the running program. Creates the writable folder of an installed program when
// it is missing, so that MIMETYPE.DAT can be written there.
ProgramFolders RunningProgramFolders();

}  // namespace pagehold
