// Any bytes as Quillfen.ini: applying keeps each choice in its range; what is written reads back as 25 keys.

#include "platform/TextCodec.h"
#include "settings/SavedSettings.h"
#include "settings/SettingKeys.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillfen;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(isValidUtf8(decodeSettingsBytes(bytes)));

    const auto applications = parseSettingsBytes(bytes);
    for (const auto& application : applications) {
        check(application.key < kSettingKeyCount);
        check(application.value.find('\t') == std::string::npos);
        check(application.value.find('\n') == std::string::npos);
    }

    SavedSettings settings;
    applySettings(applications, settings);
    const auto isCheckState = [](int state) { return state >= 0 && state <= 2; };
    check(settings.cmbLang == 0 || settings.cmbLang == 1);
    check(isCheckState(settings.chkAceUni) && isCheckState(settings.chkBoundingBox) &&
          isCheckState(settings.chkShapeTo[0]) && isCheckState(settings.WindowState));

    const auto written = parseSettingsBytes(encodeSettingsText(formatSettingsText(settings)));
    check(written.size() == kSettingKeyCount);
    for (std::size_t index = 0; index < written.size(); ++index) check(written[index].key == index);
    return 0;
}
