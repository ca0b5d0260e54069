#pragma once

#include "FileReplaceStep.h"

#include <cerrno>

// Puts a different step of a rewrite in place while it lives, so that a test can make that step fail or act at
// that moment.
template <typename Function>
struct StepOverride {
    StepOverride(Function& step, Function replacement) : Step(step), Saved(step) { step = replacement; }
    ~StepOverride() { Step = Saved; }
    StepOverride(const StepOverride&) = delete;
    StepOverride& operator=(const StepOverride&) = delete;
    Function& Step;
    const Function Saved;
};

// The last step, replacing the original by the rewritten file.
struct FileReplaceStepOverride : StepOverride<FileReplaceStep::Function> {
    explicit FileReplaceStepOverride(FileReplaceStep::Function step) : StepOverride(FileReplaceStep::Replace, step) {}
};

// While it lives, the file system seems to have no unnamed files, as some network and FUSE file systems do, so a
// rewrite writes its new version under a temporary name from the start.
struct NamedTemporaries : StepOverride<FileReplaceStep::OpenFunction> {
    NamedTemporaries()
        : StepOverride(FileReplaceStep::OpenUnnamed, [](const char*, mode_t) { return errno = EOPNOTSUPP, -1; })
    {
    }
};
