#pragma once

#include <optional>
#include <string>
#include <vector>

// The program's command line: vellum-mp3 [options] [FILE|FOLDER]...

// Before the application object exists: with --help or --version, prints the answer on the standard output and
// gives the exit status, so both work in a terminal without a desktop; otherwise nothing.
std::optional<int> AnswerHelpOrVersion(int argc, char** argv);
// Once the application has taken the window system's own options (-platform, -style ...) out of argv: the files
// and folders named, as the file system's bytes; nothing, after a message on the error output, when an option
// is not known.
std::optional<std::vector<std::string>> PathArguments(int argc, char** argv);
