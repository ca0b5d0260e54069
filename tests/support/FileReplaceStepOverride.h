#pragma once

#include "FileReplaceStep.h"

#include <cerrno>

// Puts a different step for replacing the original by the rewritten file in place while it lives, so that a
// test can make the last step of a rewrite fail.
struct FileReplaceStepOverride {
    explicit FileReplaceStepOverride(FileReplaceStep::Function step) { FileReplaceStep::Replace = step; }
    ~FileReplaceStepOverride() { FileReplaceStep::Replace = Saved; }
    FileReplaceStepOverride(const FileReplaceStepOverride&) = delete;
    FileReplaceStepOverride& operator=(const FileReplaceStepOverride&) = delete;
    FileReplaceStep::Function Saved = FileReplaceStep::Replace;
};

// While it lives, the file system seems to have no unnamed files, as some network and FUSE file systems do, so a
// rewrite writes its new version under a temporary name from the start.
struct NamedTemporaries {
    NamedTemporaries() { FileReplaceStep::OpenUnnamed = [](const char*, mode_t) { return errno = EOPNOTSUPP, -1; }; }
    ~NamedTemporaries() { FileReplaceStep::OpenUnnamed = Saved; }
    NamedTemporaries(const NamedTemporaries&) = delete;
    NamedTemporaries& operator=(const NamedTemporaries&) = delete;
    FileReplaceStep::OpenFunction Saved = FileReplaceStep::OpenUnnamed;
};
