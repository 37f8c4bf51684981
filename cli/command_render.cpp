// quillfen-cli render FILE.s -o FILE.png [...]: the command's place on the
// command line; the renderer reads its own options (cli/render/).

#include "Commands.h"

#include <memory>

namespace quillfen::cli {

void addRenderCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand(
        "render", "Draw FILE.s as the 3D view shows it: render FILE.s -o FILE.png [--size WxH] [--lod N] "
                  "[--yaw DEG --pitch DEG]; missing textures are listed on stderr");
    // Everything after the command's name goes to the renderer as it stands.
    command->prefix_command();
    command->callback([command, &exitCode] { exitCode = runRender(command->remaining()); });
}

} // namespace quillfen::cli
