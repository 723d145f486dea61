// Whether a name can stand for a file or folder of its own directly inside a
// folder. Windows reads more into a name than its letters: both slashes
// separate folders, "." and ".." climb, "c:name" and "name:stream" reach
// another drive or a hidden stream, CON or LPT1 (with any extension) open a
// device, and trailing dots and spaces are dropped. A name that passes lands
// exactly where it is put, under exactly that name. The archiver checks every
// part of a stored name with it before extraction writes, and the program
// checks every name it derives from a list or a chosen path before it writes.
#pragma once

#include <string>

namespace arch {

// Tells whether a byte starts a two-byte character of the text's code page;
// its second byte is then never read as a character of its own.
using LeadBytePredicate = bool (*)(unsigned char);

// "" when `name` is a plain name of one file or folder; otherwise why not,
// as the end of a sentence about the file ("its name ...").
std::string FileNameProblem(const std::string& name, LeadBytePredicate isLeadByte = nullptr);

inline bool IsPlainFileName(const std::string& name, LeadBytePredicate isLeadByte = nullptr)
{
    return FileNameProblem(name, isLeadByte).empty();
}

} // namespace arch
