// CArchive: a buffered byte stream over an open CFile, in one direction:
// storing writes bytes through the buffer, loading reads them. The archive
// encoding itself (framework/archive_codec.h) works on it as on any byte
// source or sink. Errors of the file raise CFileException, as CFile does.
//
//   CArchive ar(&file, CArchive::store);
//   WriteArchiveString(ar, text);
//   ar.Close();       // writes out the buffer; the file stays open
#pragma once

#include <cstdint>
#include <vector>

#include "framework/archive_codec.h"
#include "framework/file.h"

class CArchive : public ArchiveByteSource, public ArchiveByteSink {
public:
    enum Mode { store = 0, load = 1 };

    // Loading starts at the file's current position and sees the bytes up
    // to its length at that moment.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // Writes out what is still buffered when Close was not called; a failure
    // then goes unreported, so callers that care call Close.
    ~CArchive() override;

    bool IsLoading() const { return m_nMode == load; }
    bool IsStoring() const { return m_nMode == store; }
    CFile* GetFile() const { return m_pFile; }

    size_t ReadBytes(void* buffer, size_t count) override;
    uint64_t BytesLeft() const override;
    void WriteBytes(const void* data, size_t count) override;

    // Writes the buffer out to the file (storing only).
    void Flush();
    // Flushes and lets go of the file, which stays open.
    void Close();

private:
    void FillBuffer();

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<unsigned char> m_buffer;
    size_t m_nUsed = 0;       // bytes in the buffer: waiting to be written, or read from the file
    size_t m_nPos = 0;        // loading: next byte of the buffer to hand out
    uint64_t m_nFileLeft = 0; // loading: bytes of the file not yet in the buffer
};
