#include "import/ConverterArguments.h"

namespace {

// Absolute paths can't be protocol names; relative ones can once they hold a colon.
wxString LocalFileName(const wxString& path) {
    if (!path.StartsWith(wxS("/")) && (path.Contains(wxS(":")) || path == wxS("-"))) {
        return wxS("file:") + path;
    }
    return path;
}

wxString Quoted(const wxString& text) {
    wxString quoted = wxS("\"");
    for (const wxUniChar c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + wxS("\"");
}

} // namespace

wxString BuildConverterArguments(const wxString& sourcePath, const wxString& outputPath) {
    return wxS(" -i ") + Quoted(LocalFileName(sourcePath)) + wxS(" -y -f wav -acodec pcm_s16le ") +
           Quoted(LocalFileName(outputPath));
}

std::vector<std::string> SplitArguments(const wxString& arguments) {
    std::vector<std::string> split;
    wxString current;
    bool inArgument = false;
    bool quoted = false;
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        const wxUniChar c = *it;
        if (c == '\\' && it + 1 != arguments.end() && (*(it + 1) == '"' || *(it + 1) == '\\')) {
            ++it;
            current += *it;
            inArgument = true;
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                split.emplace_back(current.utf8_str());
                current.clear();
                inArgument = false;
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        split.emplace_back(current.utf8_str());
    }
    return split;
}
