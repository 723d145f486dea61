#include "framework/archive.h"

#include <algorithm>
#include <cstring>

namespace {
// CFile takes at most a UINT per call.
const size_t kLargestFileCall = 0x40000000;
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize)
    : m_pFile(pFile), m_nMode(nMode == load ? load : store), m_buffer(static_cast<size_t>(std::max(nBufSize, 1)))
{
    if (IsLoading()) {
        const uint64_t length = m_pFile->GetLength();
        const uint64_t position = m_pFile->Seek(0, CFile::current);
        m_nFileLeft = length > position ? length - position : 0;
    }
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr || !IsStoring()) return;
    try {
        Flush();
    } catch (const CFileException&) {
        // Nothing can be reported from here.
    }
}

void CArchive::FillBuffer()
{
    m_nPos = 0;
    m_nUsed = 0;
    const size_t want = static_cast<size_t>(std::min<uint64_t>(m_buffer.size(), m_nFileLeft));
    if (want == 0) return;
    m_nUsed = m_pFile->Read(m_buffer.data(), static_cast<UINT>(want));
    // A file that shrank since the archive began ends here.
    m_nFileLeft = m_nUsed < want ? 0 : m_nFileLeft - m_nUsed;
}

size_t CArchive::ReadBytes(void* buffer, size_t count)
{
    if (m_pFile == nullptr || !IsLoading()) return 0;
    unsigned char* out = static_cast<unsigned char*>(buffer);
    size_t done = 0;
    while (done < count) {
        if (m_nPos == m_nUsed) {
            const size_t rest = count - done;
            if (rest >= m_buffer.size() && m_nFileLeft != 0) {
                // A long read goes straight into the caller's memory.
                const size_t want = static_cast<size_t>(std::min<uint64_t>({rest, m_nFileLeft, kLargestFileCall}));
                const size_t got = m_pFile->Read(out + done, static_cast<UINT>(want));
                done += got;
                m_nFileLeft = got < want ? 0 : m_nFileLeft - got;
                if (got < want) break;
                continue;
            }
            FillBuffer();
            if (m_nUsed == 0) break;
        }
        const size_t n = std::min(count - done, m_nUsed - m_nPos);
        std::memcpy(out + done, m_buffer.data() + m_nPos, n);
        m_nPos += n;
        done += n;
    }
    return done;
}

uint64_t CArchive::BytesLeft() const
{
    if (m_pFile == nullptr || !IsLoading()) return 0;
    return (m_nUsed - m_nPos) + m_nFileLeft;
}

void CArchive::WriteBytes(const void* data, size_t count)
{
    if (m_pFile == nullptr || !IsStoring()) return;
    const unsigned char* in = static_cast<const unsigned char*>(data);
    while (count != 0) {
        if (m_nUsed == 0 && count >= m_buffer.size()) {
            const size_t n = std::min(count, kLargestFileCall);
            m_pFile->Write(in, static_cast<UINT>(n));
            in += n;
            count -= n;
            continue;
        }
        const size_t n = std::min(count, m_buffer.size() - m_nUsed);
        std::memcpy(m_buffer.data() + m_nUsed, in, n);
        m_nUsed += n;
        in += n;
        count -= n;
        if (m_nUsed == m_buffer.size()) Flush();
    }
}

void CArchive::Flush()
{
    if (m_pFile == nullptr || !IsStoring() || m_nUsed == 0) return;
    // Emptied first, so that a failed write is not repeated by the destructor.
    const size_t n = m_nUsed;
    m_nUsed = 0;
    m_pFile->Write(m_buffer.data(), static_cast<UINT>(n));
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}
