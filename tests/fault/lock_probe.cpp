// `quillfen_lock_probe FOLDER try|die`: locks and releases, or ends as a killed run does. Exit 0 locked, 3
// held elsewhere, 4 failed.

#include "platform/FolderLock.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    auto lock = quillfen::FolderLock::tryLock(argv[1]);
    if (!lock) {
        std::cerr << lock.error().message() << '\n';
        return quillfen::FolderLock::isHeldElsewhere(lock.error()) ? 3 : 4;
    }
    if (std::string(argv[2]) == "die") std::_Exit(0);
    return 0;
}
