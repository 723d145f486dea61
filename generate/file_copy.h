// Copying files into a package.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Copies `source` to `destination` in pieces, telling `copied` how many
// bytes each piece held (it may throw to stop the copy). Only the copy's own
// folder is made. Every failure is thrown as a CFileException that names the
// file it concerns; a copy that fails is not left behind. If the system
// refuses to remove it, that refusal is what is thrown, as a
// CCopyLeftBehind.
void CopyFileInPieces(const std::string& source, const std::string& destination,
                      const std::function<void(uint64_t)>& copied = nullptr);

// Reads `source` whole into `text` in pieces, telling `read` as the copy
// does. A failure is thrown as a CFileException naming the file.
void ReadFileInPieces(const std::string& source, std::string& text, const std::function<void(uint64_t)>& read);
