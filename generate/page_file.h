// Reading and writing a page as one text. A page is read whole, zero bytes
// included, so that an edit never cuts a page short.
#pragma once

#include <string>

// Files are read, written and copied in pieces of this size, so that memory
// stays the same for files of any size.
constexpr unsigned kFilePieceSize = 1u << 20;

// Reads the whole file, opened for reading with sharing allowed. False when
// it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& text);

// Writes the text as the file's whole content (the file is created when
// missing), with exclusive access. False when it cannot be opened or
// written; the file then holds what was written.
bool WriteWholeFile(const std::string& path, const std::string& text);

// The same, for long work: a failure is thrown as a CFileException naming the
// file.
void WriteWholeFileOrThrow(const std::string& path, const std::string& text);
