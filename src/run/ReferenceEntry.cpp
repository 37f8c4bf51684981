#include "run/ReferenceEntry.h"

#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/TextCodec.h"

namespace quillfen {

namespace {

/// ( "value" )
std::string field(const std::string& value) {
    return "( \"" + value + "\" )";
}

const std::string& userTextOr(const std::string& userText, const std::string& fallback) {
    return trimBlanks(userText).empty() ? fallback : userText;
}

} // namespace

std::string referenceEntryText(const ReferenceChoices& choices, const std::string& sFileName) {
    const std::string defaultClass = " Quillfen";
    const std::string& referenceClass = userTextOr(choices.txtRefClass, defaultClass);
    const std::string& description = userTextOr(choices.txtRefDescription, sFileName);
    return "Static (\r\n"
           "\tFilename\t" +
           field(sFileName) +
           "\r\n"
           "\tClass\t\t" +
           field(referenceClass) +
           "\r\n"
           "\tAlign\t\t( None )\r\n"
           "\tDescription\t" +
           field(description) +
           "\r\n"
           ")";
}

Status writeReferenceEntry(const ReferenceChoices& choices, const ProgramState& state,
                           const ShapePaths& paths, FileSystem& files, LogSink& log) {
    if (choices.chkRefEintrag == 0) return {};
    bool lossy = false;
    const std::string bytes = encodeWindows1252(referenceEntryText(choices, paths.sFileName), &lossy);
    if (Status written = files.replaceFile(paths.workingFolder + kSep + "AddToRef.txt", bytes); !written)
        return written;
    if (lossy) log.log(state.text(TextId::LogReferenceLossy));
    log.log(state.text(TextId::LogReferenceCreated));
    return {};
}

} // namespace quillfen
