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

Status writeReferenceEntry(const ReferenceChoices& choices, const ProgramState& state, FileSystem& files,
                           LogSink& log) {
    if (choices.chkRefEintrag == 0) return {};
    bool lossy = false;
    const std::string bytes = encodeWindows1252(referenceEntryText(choices, state.gstrSDateiName), &lossy);
    if (Status written = files.replaceFile(state.gstrProgrammPfad + kSep + "AddToRef.txt", bytes); !written)
        return written;
    if (lossy)
        logInLanguage(
            log, state,
            "•Warnung: AddToRef.txt enthält Zeichen außerhalb von Windows-1252, als \"?\" geschrieben",
            "•Warning: AddToRef.txt has characters outside Windows-1252, written as \"?\"");
    logInLanguage(log, state, "•AddToRef.txt ist erzeugt", "•AddToRef.txt is created");
    return {};
}

} // namespace quillfen
