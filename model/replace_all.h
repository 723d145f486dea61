// ReplaceAll: replaces every occurrence of `oldText` in `text` by `newText`,
// left to right, without overlaps and without searching inserted text again.
// Case-sensitive; multibyte characters are never split. Returns the count.
#pragma once

#include <string>

int ReplaceAll(std::string& text, const std::string& oldText, const std::string& newText);
