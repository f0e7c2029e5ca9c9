#pragma once
// The result of writing a record file, told on standard error when the write failed, so that
// a read-only or full suite folder does not lose settings and scores without a word.
#include "platform/files.h"

#include <cerrno>

namespace records {

// Call right after the write: errno still says why it failed.
inline bool Saved(bool written, const char* path) {
    if (!written)
        plat::ReportFileFailure("save", path, plat::FileErrorText(errno));
    return written;
}

} // namespace records
