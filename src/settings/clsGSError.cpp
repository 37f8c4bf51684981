#include "settings/clsGSError.h"

namespace quillfen {

void clsGSError::Raise(std::int32_t lngNumber, std::string strSource, std::string strDescription,
                       std::string strHelpFile, std::int32_t lngHelpContext) {
    m_number = lngNumber;
    m_source = std::move(strSource);
    m_description = std::move(strDescription);
    m_helpFile = std::move(strHelpFile);
    m_helpContext = lngHelpContext;
    throw GSRuntimeError(m_number, m_source, m_description);
}

void clsGSError::Clear() {
    m_number = 0;
    m_source.clear();
    m_description.clear();
    m_helpFile.clear();
    m_helpContext = 0;
    m_lastDllError = 0;
}

} // namespace quillfen
