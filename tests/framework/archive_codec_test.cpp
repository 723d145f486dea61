// The archive encoding of strings and string lists, checked against its byte
// layout: every length and count form, 16-bit strings, and damaged data.
#include "framework/archive_codec.h"

#include <gtest/gtest.h>

#include "tests/framework/hex_bytes.h"
#include "tests/framework/largest_allocation.h"

namespace {

std::string Written(const std::string& text)
{
    MemoryByteSink sink;
    WriteArchiveString(sink, text);
    return sink.Bytes();
}

std::string WrittenList(const CStringList& list)
{
    MemoryByteSink sink;
    WriteArchiveStringList(sink, list);
    return sink.Bytes();
}

ArchiveStatus ReadOne(const std::string& bytes, std::string& text, uint64_t* left = nullptr)
{
    MemoryByteSource source(bytes);
    ArchiveStatus status = ReadArchiveString(source, text);
    if (left) *left = source.BytesLeft();
    return status;
}

// A string read from bytes, or a marker when reading failed.
std::string Read(const std::string& bytes)
{
    std::string text;
    return ReadOne(bytes, text) == ArchiveStatus::ok ? text : std::string("<failed>");
}

} // namespace

TEST(ArchiveString, LengthFormsAtEveryBoundary)
{
    struct Case {
        size_t length;
        const char* prefix;
    } cases[] = {
        {0, "00"},
        {1, "01"},
        {254, "FE"},
        {255, "FF FF 00"},
        {256, "FF 00 01"},
        {65533, "FF FD FF"},
        {65534, "FF FF FF FE FF 00 00"}, // FE FF would read as the 16-bit marker
        {65535, "FF FF FF FF FF 00 00"},
        {100000, "FF FF FF A0 86 01 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'x');
        if (!text.empty()) text.back() = 'y';
        const std::string bytes = Written(text);
        EXPECT_EQ(Hex(c.prefix) + text, bytes);
        uint64_t left = 99;
        std::string back;
        ASSERT_EQ(ArchiveStatus::ok, ReadOne(bytes + "tail", back, &left));
        EXPECT_EQ(text, back);
        EXPECT_EQ(4u, left); // reading stops right after the string
    }
}

TEST(ArchiveString, LongerLengthFormsAreReadForShortStrings)
{
    EXPECT_EQ("abc", Read(Hex("FF 03 00 61 62 63")));
    EXPECT_EQ("abc", Read(Hex("FF FF FF 03 00 00 00 61 62 63")));
    EXPECT_EQ("abc", Read(Hex("FF FF FF FF FF FF FF 03 00 00 00 00 00 00 00 61 62 63")));
    // 0xFFFE after the 16-bit marker is a plain length, not a second marker.
    std::string text;
    EXPECT_EQ(ArchiveStatus::endsEarly, ReadOne(Hex("FF FE FF FF FE FF 41 00"), text));
}

TEST(ArchiveString, SixteenBitStringsAreConvertedToAnsi)
{
    // "é" (U+00E9) and "€" (U+20AC) are the bytes E9 and 80 in code page 1252.
    EXPECT_EQ("\xE9", Read(Hex("FF FE FF 01 E9 00")));
    EXPECT_EQ("caf\xE9 \x80", Read(Hex("FF FE FF 06 63 00 61 00 66 00 E9 00 20 00 AC 20")));
    EXPECT_EQ("", Read(Hex("FF FE FF 00")));
    // The wider length forms after the marker count characters, not bytes.
    EXPECT_EQ("AB", Read(Hex("FF FE FF FF 02 00 41 00 42 00")));
    EXPECT_EQ("AB", Read(Hex("FF FE FF FF FF FF 02 00 00 00 41 00 42 00")));
    // A character the code page does not hold at all.
    EXPECT_EQ("a?", Read(Hex("FF FE FF 02 61 00 2D 4E")));
    // Half a character at the end.
    std::string text = "kept";
    EXPECT_EQ(ArchiveStatus::endsEarly, ReadOne(Hex("FF FE FF 02 61 00 62"), text));
    EXPECT_EQ("kept", text);
}

TEST(ArchiveString, DamagedLengthsFailCleanly)
{
    struct Case {
        const char* bytes;
        ArchiveStatus status;
    } cases[] = {
        {"", ArchiveStatus::endsEarly},
        {"05 61 62", ArchiveStatus::endsEarly},
        {"FF", ArchiveStatus::endsEarly},
        {"FF FD", ArchiveStatus::endsEarly},
        {"FF FD FF 61", ArchiveStatus::endsEarly},
        {"FF FF FF FE FF FF FF 61", ArchiveStatus::endsEarly},
        {"FF FF FF FF FF FF", ArchiveStatus::endsEarly},
        {"FF FF FF FF FF FF FF FF FF FF 7F 00 00 00 00 61", ArchiveStatus::endsEarly}, // 2^31 - 1
        {"FF FF FF FF FF FF FF 00 00 00 80 00 00 00 00 61", ArchiveStatus::badLength}, // 2^31
        {"FF FF FF FF FF FF FF 01 00 00 80 00 00 00 00 61", ArchiveStatus::badLength},
        {"FF FF FF FF FF FF FF 00 00 00 00 01 00 00 00 61", ArchiveStatus::badLength}, // 2^32
        {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 61", ArchiveStatus::badLength},
        {"FF FE FF FF FF FF FE FF FF FF 41 00", ArchiveStatus::endsEarly},
        {"FF FE FF FF FF FF FF FF FF FF FF FF FF 7F 00 00 00 00", ArchiveStatus::endsEarly},
        {"FF FE FF FF FF FF FF FF FF FF 00 00 00 80 00 00 00 00", ArchiveStatus::badLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::string bytes = Hex(c.bytes);
        std::string text = "kept";
        ArchiveStatus status = ArchiveStatus::ok;
        EXPECT_LT(LargestAllocationDuring([&] { status = ReadOne(bytes, text); }), 64u);
        EXPECT_EQ(c.status, status);
        EXPECT_EQ("kept", text);
    }
}

TEST(ArchiveStringList, CountForms)
{
    EXPECT_EQ(Hex("00 00"), WrittenList(CStringList()));
    EXPECT_EQ(Hex("02 00 01 61 00"), WrittenList(CStringList{"a", ""}));

    CStringList below;
    for (int i = 0; i < 65534; ++i) below.AddTail("");
    const std::string belowBytes = WrittenList(below);
    EXPECT_EQ(Hex("FE FF"), belowBytes.substr(0, 2));
    EXPECT_EQ(2u + 65534u, belowBytes.size());

    CStringList at = below;
    at.AddTail("z");
    const std::string atBytes = WrittenList(at);
    EXPECT_EQ(Hex("FF FF FF FF 00 00"), atBytes.substr(0, 6));
    EXPECT_EQ(6u + 65534u + 2u, atBytes.size());
    MemoryByteSource source(atBytes);
    CStringList back;
    ASSERT_EQ(ArchiveStatus::ok, ReadArchiveStringList(source, back));
    EXPECT_EQ(at, back);
    EXPECT_EQ(0u, source.BytesLeft());

    // The 4-byte form is read for any count, and 0xFFFFFFFF stays a count.
    auto countOf = [](const char* hex) {
        const std::string bytes = Hex(hex);
        MemoryByteSource countSource(bytes);
        uint32_t count = 0;
        EXPECT_EQ(ArchiveStatus::ok, ReadArchiveCount(countSource, count));
        return count;
    };
    EXPECT_EQ(2u, countOf("FF FF 02 00 00 00"));
    EXPECT_EQ(0xFFFFFFFFu, countOf("FF FF FF FF FF FF"));
}

TEST(ArchiveStringList, ReadingAppendsAllOrNothing)
{
    CStringList list{"before"};
    const std::string goodBytes = Hex("FF FF 02 00 00 00 01 61 FF FE FF 01 E9 00");
    MemoryByteSource good(goodBytes);
    ASSERT_EQ(ArchiveStatus::ok, ReadArchiveStringList(good, list));
    EXPECT_EQ((CStringList{"before", "a", "\xE9"}), list);

    for (const char* damaged :
         {"", "03", "03 00 01 61 00", "FF FF 03 00 00", "FF FF FF FF 00 00 00 00", "FF FF FF FF FF FF 00 00",
          "FF FF FF FF FF FF 00 00 00 00 00 00", "01 00 FF FF FF FF FF FF FF 00 00 00 80 00 00 00 00"}) {
        SCOPED_TRACE(damaged);
        CStringList kept{"x", "y"};
        const std::string bytes = Hex(damaged);
        MemoryByteSource source(bytes);
        ArchiveStatus status = ArchiveStatus::ok;
        EXPECT_LT(LargestAllocationDuring([&] { status = ReadArchiveStringList(source, kept); }), 256u);
        EXPECT_NE(ArchiveStatus::ok, status);
        EXPECT_EQ((CStringList{"x", "y"}), kept);
    }
}
