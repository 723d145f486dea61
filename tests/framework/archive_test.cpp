// CArchive over a real file of the test prefix, and the system's conversion
// of 16-bit archive text checked against code page 1252.
#include "framework/archive.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "framework/code_page_1252.h"
#include "tests/framework/hex_bytes.h"
#include "tests/framework/temp_file_test.h"

namespace {

class ArchiveFile : public TempFileTest {
protected:
    ArchiveFile() : TempFileTest(".bin") {}
};

// Strings long enough that their bytes cross the 4096-byte buffer several
// times, in every length form.
std::string Text(size_t length, char fill)
{
    std::string text(length, fill);
    for (size_t i = 0; i < length; i += 97) text[i] = static_cast<char>('A' + i % 26);
    return text;
}

} // namespace

TEST_F(ArchiveFile, StoresStringsThroughTheBuffer)
{
    const std::string a = Text(4000, 'a');
    const std::string b = Text(70000, 'b');
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_path, CFile::modeCreate | CFile::modeReadWrite));
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(ar.IsStoring());
        WriteArchiveString(ar, "1.2");
        WriteArchiveString(ar, a);
        WriteArchiveString(ar, b);
        WriteArchiveStringList(ar, CStringList{"x", ""});
        ar.Close();
        file.Close();
    }
    const std::string expected =
        Hex("03 31 2E 32") + Hex("FF A0 0F") + a + Hex("FF FF FF 70 11 01 00") + b + Hex("02 00 01 78 00");
    EXPECT_EQ(expected, testenv::ReadFile(m_path));
}

TEST_F(ArchiveFile, DestructorWritesOutWhatCloseWouldHave)
{
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_path, CFile::modeCreate | CFile::modeReadWrite));
        CArchive ar(&file, CArchive::store);
        WriteArchiveString(ar, "abc");
    }
    EXPECT_EQ(Hex("03 61 62 63"), testenv::ReadFile(m_path));
}

TEST_F(ArchiveFile, LoadsFromTheFilePositionToItsEnd)
{
    const std::string big = Text(9000, 'q');
    testenv::WriteFile(m_path, "skip" + Hex("01 61") + Hex("FF 28 23") + big + Hex("FF FE FF 01 E9 00") + "!!");
    CFile file;
    ASSERT_TRUE(file.Open(m_path, CFile::modeRead | CFile::shareDenyNone));
    file.Seek(4, CFile::begin);
    CArchive ar(&file, CArchive::load);
    EXPECT_TRUE(ar.IsLoading());
    EXPECT_EQ(2u + 3u + 9000u + 6u + 2u, ar.BytesLeft());
    std::string text;
    ASSERT_EQ(ArchiveStatus::ok, ReadArchiveString(ar, text));
    EXPECT_EQ("a", text);
    ASSERT_EQ(ArchiveStatus::ok, ReadArchiveString(ar, text));
    EXPECT_EQ(big, text);
    ASSERT_EQ(ArchiveStatus::ok, ReadArchiveString(ar, text));
    EXPECT_EQ("\xE9", text);
    EXPECT_EQ(2u, ar.BytesLeft());
    // "!!" reads as a length of 0x21 with one byte behind it.
    EXPECT_EQ(ArchiveStatus::endsEarly, ReadArchiveString(ar, text));
    EXPECT_EQ("\xE9", text);
}

TEST_F(ArchiveFile, AbsurdLengthInAShortFileFailsBeforeReading)
{
    testenv::WriteFile(m_path, Hex("FF FF FF FE FF FF 7F") + "abc");
    CFile file;
    ASSERT_TRUE(file.Open(m_path, CFile::modeRead | CFile::shareDenyNone));
    CArchive ar(&file, CArchive::load);
    std::string text = "kept";
    EXPECT_EQ(ArchiveStatus::endsEarly, ReadArchiveString(ar, text));
    EXPECT_EQ("kept", text);
}

// Every UTF-16 unit: the system's conversion either agrees with code page
// 1252 or, where 1252 has no such character, gives one of its own near
// letters (U+0100 as "A") that the host build renders as "?".
TEST(AnsiConversion, SystemAgreesWithCodePage1252)
{
    ASSERT_EQ(1252u, ::GetACP());
    int nearLetters = 0;
    for (unsigned unit = 1; unit < 0x10000; ++unit) {
        const std::string system = AnsiFromUtf16(std::u16string(1, static_cast<char16_t>(unit)));
        ASSERT_EQ(1u, system.size()) << std::hex << unit;
        const char table = Cp1252FromUtf16Unit(static_cast<char16_t>(unit));
        if (system[0] == table) continue;
        EXPECT_EQ('?', table) << std::hex << unit;
        ++nearLetters;
    }
    EXPECT_LT(nearLetters, 1000);
    EXPECT_EQ("A", AnsiFromUtf16(u"\u0100"));
    EXPECT_EQ("\x80\xE9", AnsiFromUtf16(u"\u20AC\u00E9"));
    EXPECT_EQ("??", AnsiFromUtf16(u"\U0001F600"));
    EXPECT_EQ("??", Cp1252FromUtf16(u"\U0001F600"));
}
