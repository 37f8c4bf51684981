#include "platform/FileAssociation.h"

#ifdef _WIN32
#include <windows.h>

#include <shlwapi.h>
#endif

namespace quillfen {

#ifdef _WIN32

bool desktopHasProgramFor(const std::string& extension) {
    DWORD size = MAX_PATH;
    char program[MAX_PATH] = {};
    const HRESULT found = AssocQueryStringA(ASSOCF_INIT_IGNOREUNKNOWN, ASSOCSTR_EXECUTABLE, extension.c_str(),
                                            nullptr, program, &size);
    return found == S_OK && program[0] != '\0';
}

#else

bool desktopHasProgramFor(const std::string&) {
    return false;
}

#endif

} // namespace quillfen
