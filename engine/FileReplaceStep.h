#pragma once

#include <cstdio>

// The one step that puts a finished new version of a file in place of the old one. It is a variable so that a
// test can make exactly this step fail and check that nothing is lost.
namespace FileReplaceStep {

using Function = int (*)(const char* newVersion, const char* target);

// rename(2): atomic, so the target holds either its old or its new content, never neither.
inline Function Replace = [](const char* newVersion, const char* target) { return std::rename(newVersion, target); };

} // namespace FileReplaceStep
