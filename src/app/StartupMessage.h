#pragma once
// A failed start-up check: the message box to show before the program ends.

#include <string>

namespace quillfen {

struct StartupMessage {
    std::string title; ///< the box's title; empty means the program's name
    std::string text;  ///< lines joined by CR (character 13)
};

} // namespace quillfen
