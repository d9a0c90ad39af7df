#include "platform/SourceCheck.h"

AudioFileType SourceFileType(const std::string& path, const SourceCheck& check,
                             AudioFileType current) {
    if (const SourceKind* named = SourceKindOfPath(path)) {
        return named->type;
    }
    return check.kind != AudioFileNone ? check.kind : current;
}
