// Checks the sounds the build synthesises into the data folder: every file the
// game plays is there, is a PCM WAV whose header the game can trust to compute
// the length, lasts what its use allows, and is clean at both ends.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#ifndef ZM_DATAS_DIR
#error "ZM_DATAS_DIR must name the generated data folder"
#endif

namespace {

struct Wav {
    std::uint32_t riff_size = 0;
    std::uint16_t format = 0, channels = 0, block_align = 0, bits = 0;
    std::uint32_t fmt_size = 0, rate = 0, byte_rate = 0, data_size = 0;
    std::size_t file_size = 0;
    bool tags_ok = false;
    std::vector<std::int16_t> samples;
};

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t le16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// Reads the canonical 44-byte header the game relies on, and the samples.
std::optional<Wav> read_wav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                 std::istreambuf_iterator<char>());
    if (b.size() < 44)
        return std::nullopt;
    Wav w;
    w.file_size = b.size();
    auto tag = [&](std::size_t at, const char* t) {
        return std::equal(t, t + 4, b.begin() + static_cast<long>(at));
    };
    w.tags_ok = tag(0, "RIFF") && tag(8, "WAVE") && tag(12, "fmt ") && tag(36, "data");
    w.riff_size = le32(b, 4);
    w.fmt_size = le32(b, 16);
    w.format = le16(b, 20);
    w.channels = le16(b, 22);
    w.rate = le32(b, 24);
    w.byte_rate = le32(b, 28);
    w.block_align = le16(b, 32);
    w.bits = le16(b, 34);
    w.data_size = le32(b, 40);
    const std::size_t n = std::min<std::size_t>(w.data_size, b.size() - 44) / 2;
    w.samples.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        w.samples[i] = static_cast<std::int16_t>(le16(b, 44 + 2 * i));
    return w;
}

struct Expected {
    std::string name;
    double min_seconds;
    double max_seconds;
    double min_peak_db;
    double max_peak_db;
};

void PrintTo(const Expected& e, std::ostream* os) {
    *os << e.name << " (" << e.min_seconds << " to " << e.max_seconds << " s)";
}

std::vector<Expected> expected_sounds() {
    std::vector<Expected> all;
    auto family = [&](int count, const std::string& ext, double lo, double hi, double plo,
                      double phi) {
        for (int i = 1; i <= count; ++i)
            all.push_back({std::to_string(i) + ext, lo, hi, plo, phi});
    };
    family(19, ".amb", 8.0, 25.0, -7.5, -4.5); // background tunes, quieter than the effects
    family(50, "", 0.15, 0.9, -3.0, -1.0);     // screen changes
    family(21, ".vic", 0.6, 2.0, -3.0, -1.0);
    family(19, ".def", 0.5, 1.6, -3.0, -1.0);
    all.push_back({"3.ats", 0.2, 0.45, -3.0, -1.0});  // eraser scrub
    all.push_back({"4.ats", 0.02, 0.2, -3.0, -1.0});  // coin click (strictly under 0.2 s)
    all.push_back({"6.ats", 0.7, 1.4, -3.0, -1.0});   // start fanfare
    all.push_back({"36.ats", 0.25, 0.6, -3.0, -1.0}); // door knock
    all.push_back({"100", 0.005, 0.08, -3.0, -1.0});  // word tick, repeated quickly
    return all;
}

std::string path_of(const std::string& name) {
    return std::string(ZM_DATAS_DIR) + "/" + name;
}

class SoundFile : public ::testing::TestWithParam<Expected> {};

TEST_P(SoundFile, IsAWellFormedCleanSoundOfTheRightLength) {
    const Expected& e = GetParam();
    const auto wav = read_wav(path_of(e.name));
    ASSERT_TRUE(wav.has_value()) << e.name << " is missing or shorter than a WAV header";

    // Header: the game takes the length from these fields.
    EXPECT_TRUE(wav->tags_ok) << "RIFF/WAVE/fmt/data tags not at their canonical places";
    EXPECT_EQ(wav->fmt_size, 16u);
    EXPECT_EQ(wav->format, 1u) << "not PCM";
    EXPECT_EQ(wav->channels, 1u);
    EXPECT_EQ(wav->rate, 22050u);
    EXPECT_EQ(wav->bits, 16u);
    EXPECT_EQ(wav->block_align, 2u);
    EXPECT_EQ(wav->byte_rate, 44100u);
    EXPECT_EQ(static_cast<std::size_t>(wav->data_size), wav->file_size - 44)
        << "data size does not match the file";
    EXPECT_EQ(static_cast<std::size_t>(wav->riff_size), wav->file_size - 8);
    ASSERT_FALSE(wav->samples.empty());

    const double seconds = static_cast<double>(wav->data_size) / wav->byte_rate;
    EXPECT_GE(seconds, e.min_seconds);
    EXPECT_LE(seconds, e.max_seconds);

    int peak = 0;
    double sum = 0.0;
    for (std::int16_t s : wav->samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
        sum += s;
    }
    EXPECT_LT(peak, 32767) << "clips";
    const double peak_db = 20.0 * std::log10(std::max(peak, 1) / 32768.0);
    EXPECT_GE(peak_db, e.min_peak_db - 0.1);
    EXPECT_LE(peak_db, e.max_peak_db + 0.1);

    // No click at either end and no DC offset (which would thump on start).
    const int edge = 32768 / 200; // half a percent of full scale
    EXPECT_LE(std::abs(static_cast<int>(wav->samples.front())), edge) << "starts with a click";
    EXPECT_LE(std::abs(static_cast<int>(wav->samples.back())), edge) << "ends with a click";
    const double mean = sum / static_cast<double>(wav->samples.size());
    EXPECT_LT(std::abs(mean), 32768.0 * 0.002) << "DC offset";

    // The fade-in lasts at least 5 ms: the first 2 ms stay well below the peak.
    const std::size_t two_ms = std::min<std::size_t>(44, wav->samples.size());
    for (std::size_t i = 0; i < two_ms; ++i)
        ASSERT_LE(std::abs(static_cast<int>(wav->samples[i])), peak / 2 + 1)
            << "no fade-in at sample " << i;
    for (std::size_t i = 0; i < two_ms; ++i)
        ASSERT_LE(std::abs(static_cast<int>(wav->samples[wav->samples.size() - 1 - i])),
                  peak / 2 + 1)
            << "no fade-out " << i << " samples before the end";
}

INSTANTIATE_TEST_SUITE_P(Datas, SoundFile, ::testing::ValuesIn(expected_sounds()),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             std::string n = info.param.name;
                             std::replace(n.begin(), n.end(), '.', '_');
                             return "sound_" + n;
                         });

// The game plays the numbered sounds in turn so that the child hears a
// different one each time: no two files may carry the same samples.
TEST(SoundSet, NoTwoSoundsAreTheSame) {
    std::map<std::vector<std::int16_t>, std::string> seen;
    for (const Expected& e : expected_sounds()) {
        const auto wav = read_wav(path_of(e.name));
        if (!wav)
            continue; // reported by the per-file test
        auto [it, fresh] = seen.emplace(wav->samples, e.name);
        EXPECT_TRUE(fresh) << e.name << " has the same samples as " << it->second;
    }
}

} // namespace
