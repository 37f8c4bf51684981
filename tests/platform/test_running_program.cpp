// The running program's own file, from which an installation's other files are found.

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/RunningProgram.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

TEST(RunningProgram, IsThisTestProgram) {
    const std::string path = runningProgramPath();
    EXPECT_TRUE(LocalFileSystem().fileExists(path)) << path;
    EXPECT_TRUE(fileNameOf(path).starts_with("test_platform")) << path;
}

} // namespace
} // namespace quillfen
