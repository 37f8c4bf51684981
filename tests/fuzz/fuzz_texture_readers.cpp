// Any bytes given to the ACE and DDS readers end in an image or an error, never a crash or runaway
// allocation.

#include "texture/AceFile.h"
#include "texture/DdsFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)quillfen::texture::readAce(bytes);
    (void)quillfen::texture::readDds(bytes);
    return 0;
}
