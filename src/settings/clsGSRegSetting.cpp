#include "settings/clsGSRegSetting.h"

namespace quillfen {

namespace {

template <class... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <class... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

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
