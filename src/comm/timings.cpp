#include "comm/timings.h"

#include <fstream>
#include <string_view>

namespace fw {

namespace {

constexpr std::u16string_view kLabels[kTimingCategoryCount] = {
    u"send: time=",       u"recv: time=",         u"send failed: time=",  u"recv failed: time=",
    u"send wrong: time=", u"recv nothing: time=", u"recv timeout: time=",
};

void AppendNumber(std::u16string& out, std::uint64_t value) {
    // Decimal digits are ASCII, so widening them is exact.
    for (char c : std::to_string(value))
        out.push_back(static_cast<char16_t>(c));
}

}  // namespace

void TransferTimings::Add(TimingCategory category, std::uint64_t us) {
    if (!enabled) return;
    const auto i = static_cast<std::size_t>(category);
    ++count[i];
    totalUs[i] += us;
}

void ResetTimings(TransferTimings& timings) {
    timings.count.fill(0);
    timings.totalUs.fill(0);
}

std::u16string FormatTimings(const TransferTimings& timings) {
    std::u16string out;
    for (std::size_t i = 0; i < kTimingCategoryCount; ++i) {
        const std::uint32_t n = timings.count[i];
        if (n == 0) continue;
        const std::uint64_t total = timings.totalUs[i];
        const auto average =
            static_cast<std::uint64_t>(static_cast<double>(total) / static_cast<double>(n));
        out += kLabels[i];
        AppendNumber(out, total);
        out += u" (Avg=";
        AppendNumber(out, average);
        out += u") мксек., count=";
        AppendNumber(out, n);
        out += u"\r\n";
    }
    return out;
}

bool TimingsEnabled(const std::filesystem::path& programDirectory) {
    std::ifstream marker(programDirectory / kTimingsMarkerFile, std::ios::binary);
    return marker.is_open();
}

}  // namespace fw
