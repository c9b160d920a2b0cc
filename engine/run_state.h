#pragma once

#include <cstdint>
#include <string>

#include "engine/taken_entries.h"

namespace klarwell::engine {

// The run state the window owns and every step of a clean run shares. The counters are wider than
// the window's historic 16 bits, so a folder of more than 32,767 files is handled whole.
struct RunState {
    std::string NewFilename;                // working new base name of the current file
    std::string FileExtension;              // last four characters of the current file name
    int cnt = 0;                            // position in the file list
    int Corrections = 0;                    // files renamed in this run
    int FileCountChars = 0;                 // index digit count
    std::int32_t CurFileCount = 0;          // index numbers handed out and not given back
    std::int32_t FileIndexCountOffset = 0;  // first index minus one
    bool CancelProcess = false;
    TakenEntries NamesTakenThisRun;  // list entries whose name a rename of this run gave a file
};

}  // namespace klarwell::engine
