#pragma once

#include <string>

// Without blanks and control characters at either end, as the editor trims what the user typed.
std::string Trimmed(const std::string& text);
