// quillfen-cli render: the arguments; the drawing is the 3D view's (src/ui/view3d).

#include "Commands.h"

#include "platform/Numbers.h"
#include "ui/view3d/RenderCommand.h"

#include <iostream>
#include <optional>

namespace quillfen::cli {

namespace {

constexpr const char* kRenderUsage =
    "Usage: quillfen-cli render FILE.s -o FILE.png [--size WxH] [--lod N] [--yaw DEG --pitch DEG]\n";

bool readSize(const std::string& text, view3d::RenderRequest& request) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    const auto width = parseInteger(text.substr(0, x));
    const auto height = parseInteger(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > 8192 || *height > 8192) return false;
    request.width = static_cast<int>(*width);
    request.height = static_cast<int>(*height);
    return true;
}

/// One option with its value; false for anything the command does not know.
bool readOption(const std::string& option, const std::string& value, view3d::RenderRequest& request) {
    if (option == "-o") {
        request.picture = value;
        return true;
    }
    if (option == "--size") return readSize(value, request);
    if (option == "--lod") {
        const auto level = parseInteger(value);
        if (!level || *level < 0) return false;
        request.level = static_cast<std::size_t>(*level);
        return true;
    }
    if (option == "--yaw" || option == "--pitch") {
        const auto degrees = parseLocaleNumber(value, '.');
        if (!degrees) return false;
        (option == "--yaw" ? request.yawDegrees : request.pitchDegrees) = static_cast<float>(*degrees);
        return true;
    }
    return false;
}

std::optional<view3d::RenderRequest> parse(const Arguments& args) {
    view3d::RenderRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (request.shape.empty() && !arg.empty() && arg.front() != '-') {
            request.shape = arg;
        } else if (i + 1 < args.size() && readOption(arg, args[i + 1], request)) {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (request.shape.empty() || request.picture.empty()) return std::nullopt;
    return request;
}

} // namespace

int runRender(const Arguments& args) {
    const auto request = parse(args);
    if (!request) {
        std::cerr << kRenderUsage;
        return 2;
    }
    return view3d::renderShapePicture(*request, std::cerr);
}

} // namespace quillfen::cli
