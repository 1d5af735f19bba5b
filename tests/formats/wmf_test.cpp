// The Windows metafile: the placeable and standard headers, a walk over its records and
// the object table. The readers' test of the four figures is in tests/app.
#include <cstdint>
#include <filesystem>
#include <map>

#include "tests/formats/format_fixture.h"

namespace gvx::testing {
namespace {

using WmfTest = FormatTest;

int word_at(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t dword_at(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(word_at(b, at)) |
           (static_cast<std::uint32_t>(word_at(b, at + 2)) << 16);
}
int signed_at(const std::string& b, std::size_t at) {
    return static_cast<std::int16_t>(word_at(b, at));
}

struct WmfRecord {
    int function;
    std::size_t at;  // first parameter
    std::uint32_t words;
};

// Walks the records from the end of the headers; fails the test on a broken chain.
std::vector<WmfRecord> records_of(const std::string& b) {
    std::vector<WmfRecord> out;
    std::size_t at = 22 + 18;
    while (at + 6 <= b.size()) {
        const std::uint32_t words = dword_at(b, at);
        EXPECT_GE(words, 3u);
        if (words < 3) break;
        out.push_back({word_at(b, at + 4), at + 6, words});
        at += 2 * static_cast<std::size_t>(words);
        if (out.back().function == 0) break;
    }
    EXPECT_EQ(at, b.size()) << "records do not end with the file";
    return out;
}

TEST_F(WmfTest, HeadersRecordsAndObjectsAreConsistent) {
    open("WMF");
    draw_scene();
    const std::string b = finish();
    EXPECT_EQ(opened_name_, "gravox.wmf");
    EXPECT_EQ(opened_mode_, "wb");
    expect_golden(b, "scene.wmf");
    ASSERT_GT(b.size(), 40u);
    // Placeable header.
    EXPECT_EQ(dword_at(b, 0), 0x9AC6CDD7u);
    EXPECT_EQ(signed_at(b, 10), 2969);  // right: tenths of a millimetre
    EXPECT_EQ(signed_at(b, 12), 2099);
    EXPECT_EQ(word_at(b, 14), 254);
    int checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= word_at(b, 2 * i);
    EXPECT_EQ(word_at(b, 20), checksum);
    // Standard header.
    EXPECT_EQ(word_at(b, 22), 1);
    EXPECT_EQ(word_at(b, 24), 9);
    EXPECT_EQ(word_at(b, 26), 0x0300);
    EXPECT_EQ(dword_at(b, 28) * 2, b.size() - 22);
    const int objects = word_at(b, 32);
    const std::uint32_t largest = dword_at(b, 34);

    const auto records = records_of(b);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().function, 0);
    std::uint32_t seen_largest = 0;
    std::map<int, int> count;
    std::vector<bool> live(16, false);
    int most = 0;
    for (const WmfRecord& r : records) {
        seen_largest = std::max(seen_largest, r.words);
        ++count[r.function];
        if (r.function == 0x02FA || r.function == 0x02FC) {
            int slot = 0;
            while (live[slot]) ++slot;
            live[slot] = true;
            most = std::max(most, slot + 1);
        } else if (r.function == 0x01F0 || r.function == 0x012D) {
            const int slot = word_at(b, r.at);
            ASSERT_LT(slot, 16);
            EXPECT_TRUE(live[slot]) << "object " << slot << " used after deletion";
            if (r.function == 0x01F0) live[slot] = false;
        } else if (r.function == 0x0325 || r.function == 0x0324) {
            EXPECT_EQ(r.words, 4u + 2u * word_at(b, r.at));
        }
    }
    EXPECT_EQ(seen_largest, largest);
    EXPECT_EQ(most, objects);
    for (int slot = 0; slot < 16; ++slot) EXPECT_FALSE(live[slot]) << "object " << slot << " left";
    EXPECT_EQ(count[0x020C], 1);  // window extent
    EXPECT_EQ(count[0x041B], 1);  // the box
    EXPECT_EQ(count[0x0324], 1);  // the polygon
    EXPECT_GE(count[0x0325], 3);
    // The wide line's pen is 10 units wide, in the colour of the table's blue.
    bool wide_pen = false;
    for (const WmfRecord& r : records)
        if (r.function == 0x02FA && word_at(b, r.at + 2) == 10)
            wide_pen = dword_at(b, r.at + 6) == 0xFF0000u;
    EXPECT_TRUE(wide_pen);
}

TEST_F(WmfTest, PlotFileIsOpenedUnderTheFileMode) {
    g_.filmod("BREAK");
    s().files.open_sink = open_file_sink;
    std::FILE* f = std::fopen("gravox.wmf", "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    g_.metafl("WMF");
    const std::string out = output_of([&] { g_.gvxini(); });
    EXPECT_EQ(s().frame.level, 0);
    EXPECT_NE(out.find("Warning 169"), std::string::npos) << out;
    g_.filmod("DELETE");
    g_.gvxini();
    ASSERT_EQ(s().frame.level, 1);
    output_of([&] { g_.gvxfin(); });
    EXPECT_GT(std::filesystem::file_size("gravox.wmf"), 40u);
}

}  // namespace
}  // namespace gvx::testing
