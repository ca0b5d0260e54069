#pragma once

#include "FileReplaceStep.h"

// Puts a different step for replacing the original by the rewritten file in place while it lives, so that a
// test can make the last step of a rewrite fail.
struct FileReplaceStepOverride {
    explicit FileReplaceStepOverride(FileReplaceStep::Function step) { FileReplaceStep::Replace = step; }
    ~FileReplaceStepOverride() { FileReplaceStep::Replace = Saved; }
    FileReplaceStepOverride(const FileReplaceStepOverride&) = delete;
    FileReplaceStepOverride& operator=(const FileReplaceStepOverride&) = delete;
    FileReplaceStep::Function Saved = FileReplaceStep::Replace;
};
