// quillfen-cli: the headless front end. The same core that drives the window
// runs here, with stdout as the progress log and stderr for message boxes.
// The command line is read by CLI11: every command has its own --help, and an
// option the command does not know is an error (exit code 2), never a folder.

#include "Commands.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace quillfen::cli;
    CLI::App app{"quillfen-cli: the headless Quillfen, from 3DS levels of detail to an MSTS shape",
                 "quillfen-cli"};
    app.set_version_flag("--version", std::string("quillfen-cli ") + QUILLFEN_VERSION);
    app.require_subcommand(1);
    // A path such as "/home/me/house" is a folder, never a Windows-style "/option"
    // (CLI11 reads those on Windows unless told not to; the commands inherit this).
    app.allow_windows_style_options(false);
    int exitCode = 0;
    addLodsCommand(app, exitCode);
    addValidateBboxCommand(app, exitCode);
    addConvertCommand(app, exitCode);
    addBboxCommand(app, exitCode);
    addTextureCommand(app, exitCode);
    addRenderCommand(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& asked) {
        // --help (of the program or of the command named) and --version.
        return app.exit(asked);
    } catch (const CLI::ParseError& error) {
        std::cerr << "quillfen-cli: " << error.what() << "\n\n" << app.help();
        return kExitUsage;
    }
    return exitCode;
}
