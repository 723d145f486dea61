// The splash picture's palettes, read back from the system: the 3-3-2 colour
// cube for a true-colour picture, and a picture's own colour table.
#include "splash/splash_palette.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace {

std::vector<PALETTEENTRY> EntriesOf(HPALETTE palette)
{
    WORD count = 0;
    if (!::GetObjectA(palette, sizeof(count), &count)) return {};
    std::vector<PALETTEENTRY> entries(count);
    if (count && ::GetPaletteEntries(palette, 0, count, entries.data()) != count) return {};
    return entries;
}

::testing::AssertionResult IsColour(const PALETTEENTRY& e, int red, int green, int blue)
{
    if (e.peRed == red && e.peGreen == green && e.peBlue == blue && e.peFlags == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << int(e.peRed) << ", " << int(e.peGreen) << ", " << int(e.peBlue)
                                         << ") flags " << int(e.peFlags);
}

// A colour table whose entries all differ, with the reserved byte set so
// that a copy that carries it over into the flags shows.
std::vector<RGBQUAD> SampleTable(size_t count)
{
    std::vector<RGBQUAD> table(count);
    for (size_t i = 0; i < count; ++i) {
        table[i].rgbBlue = static_cast<BYTE>(i);
        table[i].rgbGreen = static_cast<BYTE>(255 - i);
        table[i].rgbRed = static_cast<BYTE>((i * 37 + 11) & 0xFF);
        table[i].rgbReserved = 0xAA;
    }
    return table;
}

void ExpectCopiedInOrder(const std::vector<RGBQUAD>& table, HPALETTE palette)
{
    std::vector<PALETTEENTRY> entries = EntriesOf(palette);
    ASSERT_EQ(table.size(), entries.size());
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_TRUE(IsColour(entries[i], table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue)) << "entry " << i;
}

} // namespace

TEST(FallbackPalette, IsTheThreeThreeTwoColourCube)
{
    HPALETTE palette = MakeFallbackPalette();
    ASSERT_NE(nullptr, palette);
    std::vector<PALETTEENTRY> entries = EntriesOf(palette);
    ::DeleteObject(palette);
    ASSERT_EQ(256u, entries.size());

    EXPECT_TRUE(IsColour(entries[0], 0, 0, 0));
    EXPECT_TRUE(IsColour(entries[7], 224, 0, 0));
    EXPECT_TRUE(IsColour(entries[8], 0, 32, 0));
    EXPECT_TRUE(IsColour(entries[255], 224, 224, 192));
    // Red in the lowest three bits, green in the next three, blue on top.
    EXPECT_TRUE(IsColour(entries[63], 224, 224, 0));
    EXPECT_TRUE(IsColour(entries[64], 0, 0, 64));
    EXPECT_TRUE(IsColour(entries[1 + 8 * 2 + 64 * 3], 32, 64, 192));

    std::set<int> reds, greens, blues;
    std::set<std::tuple<int, int, int>> colours;
    for (const PALETTEENTRY& e : entries) {
        reds.insert(e.peRed);
        greens.insert(e.peGreen);
        blues.insert(e.peBlue);
        colours.insert({e.peRed, e.peGreen, e.peBlue});
        EXPECT_EQ(0, e.peFlags);
    }
    EXPECT_EQ((std::set<int>{0, 32, 64, 96, 128, 160, 192, 224}), reds);
    EXPECT_EQ(reds, greens);
    EXPECT_EQ((std::set<int>{0, 64, 128, 192}), blues) << "blue never reaches 255";
    EXPECT_EQ(256u, colours.size()) << "every entry is another colour of the cube";
}

TEST(TablePalette, CopiesAFullColourTableInOrder)
{
    std::vector<RGBQUAD> table = SampleTable(256);
    HPALETTE palette = MakeTablePalette(table.data(), 256);
    ASSERT_NE(nullptr, palette);
    ExpectCopiedInOrder(table, palette);
    ::DeleteObject(palette);
}

TEST(TablePalette, ASmallTableGivesExactlyItsEntries)
{
    for (size_t count : {1u, 2u, 16u}) {
        std::vector<RGBQUAD> table = SampleTable(count);
        HPALETTE palette = MakeTablePalette(table.data(), static_cast<UINT>(count));
        ASSERT_NE(nullptr, palette) << count;
        ExpectCopiedInOrder(table, palette);
        ::DeleteObject(palette);
    }
}

TEST(TablePalette, TheColourTableOfAnEightBitPicture)
{
    // The way the splash reads it: the table of a device-independent
    // section selected into a memory context.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    std::vector<RGBQUAD> table = SampleTable(256);
    for (RGBQUAD& c : table) c.rgbReserved = 0;
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = 8;
    info.header.biHeight = 8;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    std::copy(table.begin(), table.end(), info.colours);
    void* bits = nullptr;
    HBITMAP bitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, bitmap);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RGBQUAD read[256];
    UINT count = ::GetDIBColorTable(dc, 0, 256, read);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
    ASSERT_EQ(256u, count);

    HPALETTE palette = MakeTablePalette(read, count);
    ASSERT_NE(nullptr, palette);
    ExpectCopiedInOrder(table, palette);
    ::DeleteObject(palette);
}

TEST(TablePalette, NoPaletteForAnImpossibleTable)
{
    std::vector<RGBQUAD> table = SampleTable(257);
    EXPECT_EQ(nullptr, MakeTablePalette(table.data(), 0));
    EXPECT_EQ(nullptr, MakeTablePalette(table.data(), 257)) << "no colour table is larger than 256";
    EXPECT_EQ(nullptr, MakeTablePalette(nullptr, 16));
}
