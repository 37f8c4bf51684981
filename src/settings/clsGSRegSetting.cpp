#include "settings/clsGSRegSetting.h"

#include "platform/Registry.h"

namespace quillfen {

namespace {

template <class... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

bool clsGSRegSetting::hasEnvironmentReferences(const std::string& text) {
    return expandEnvironmentStrings(text) != text;
}

std::uint32_t clsGSRegSetting::RegDataType() const {
    return std::visit(
        Overloaded{
            [](std::monostate) { return kRegNone; },
            [](const std::string& text) { return hasEnvironmentReferences(text) ? kRegExpandSz : kRegSz; },
            [](std::int16_t) { return kRegDword; },
            [](std::int32_t) { return kRegDword; },
            [](std::uint8_t) { return kRegDword; },
            [](const std::vector<std::string>&) { return kRegMultiSz; },
            [](const std::vector<std::uint8_t>&) { return kRegBinary; },
        },
        m_setting);
}

int clsGSRegSetting::VarTypeVB() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return kVbEmpty; },
                          [](const std::string&) { return kVbString; },
                          [](std::int16_t) { return kVbInteger; },
                          [](std::int32_t) { return kVbLong; },
                          [](std::uint8_t) { return kVbByte; },
                          [](const std::vector<std::string>&) { return kVbArray + kVbString; },
                          [](const std::vector<std::uint8_t>&) { return kVbArray + kVbByte; },
                      },
                      m_setting);
}

std::string clsGSRegSetting::TypeNameVB() const {
    switch (VarTypeVB()) {
    case kVbEmpty:
        return "Empty";
    case kVbString:
        return "String";
    case kVbInteger:
        return "Integer";
    case kVbLong:
        return "Long";
    case kVbByte:
        return "Byte";
    case kVbArray + kVbString:
        return "String()";
    default:
        return "Byte()";
    }
}

std::optional<std::string> clsGSRegSetting::asText() const {
    return std::visit(Overloaded{
                          [](std::monostate) -> std::optional<std::string> { return std::string(); },
                          [](const std::string& text) -> std::optional<std::string> { return text; },
                          [](std::int16_t n) -> std::optional<std::string> { return std::to_string(n); },
                          [](std::int32_t n) -> std::optional<std::string> { return std::to_string(n); },
                          [](std::uint8_t n) -> std::optional<std::string> { return std::to_string(n); },
                          [](const auto&) -> std::optional<std::string> { return std::nullopt; },
                      },
                      m_setting);
}

} // namespace quillfen
