#pragma once
// The record of the last failure of a registry operation.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillfen {

/// The run-time error that `clsGSError::Raise` throws.
class GSRuntimeError : public std::runtime_error {
public:
    GSRuntimeError(std::int32_t number, const std::string& source, const std::string& description)
        : std::runtime_error(description), m_number(number), m_source(source) {}
    [[nodiscard]] std::int32_t number() const { return m_number; }
    [[nodiscard]] const std::string& source() const { return m_source; }

private:
    std::int32_t m_number;
    std::string m_source;
};

class clsGSError {
public:
    /// Stores the values and throws them as a GSRuntimeError.
    [[noreturn]] void Raise(std::int32_t lngNumber, std::string strSource = {},
                            std::string strDescription = {}, std::string strHelpFile = {},
                            std::int32_t lngHelpContext = 0);
    /// Empties the texts and zeroes the numbers.
    void Clear();

    void Source(std::string value) { m_source = std::move(value); }
    [[nodiscard]] const std::string& Source() const { return m_source; }
    void LastDllError(std::int32_t value) { m_lastDllError = value; }
    [[nodiscard]] std::int32_t LastDllError() const { return m_lastDllError; }
    void HelpFile(std::string value) { m_helpFile = std::move(value); }
    [[nodiscard]] const std::string& HelpFile() const { return m_helpFile; }
    void HelpContext(std::int32_t value) { m_helpContext = value; }
    [[nodiscard]] std::int32_t HelpContext() const { return m_helpContext; }
    void Description(std::string value) { m_description = std::move(value); }
    [[nodiscard]] const std::string& Description() const { return m_description; }
    /// The Windows result code of the failed call; 0 when cleared.
    void Number(std::int32_t value) { m_number = value; }
    [[nodiscard]] std::int32_t Number() const { return m_number; }

private:
    std::int32_t m_number = 0;
    std::string m_source;
    std::string m_description;
    std::string m_helpFile;
    std::int32_t m_helpContext = 0;
    std::int32_t m_lastDllError = 0;
};

} // namespace quillfen
