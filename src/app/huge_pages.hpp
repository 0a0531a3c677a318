#pragma once
// Start-up spends most of its time touching fresh memory for the first time
// (textures, decoded pictures and sounds): on 4 KiB pages every new page is
// a fault, and on virtual machines each fault is dear. With malloc's blocks
// on transparent huge pages there are 512 times fewer. glibc reads that
// choice only as a process starts, so the program starts itself once more
// with it set, where the system leaves huge pages to each program's asking.

namespace kr {

// Returns only when no restart happened (already restarted, not useful
// here, or the restart failed); the restart keeps the process and its
// arguments.
void RestartWithHugePages(char** argv);

}  // namespace kr
