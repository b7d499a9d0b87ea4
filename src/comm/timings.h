// Transfer timings: how long each link operation took, by outcome. Switched on by the marker
// file "EnablePerfomanceCounters.txt" in the program's folder and appended to the completion
// message of a transfer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fw {

inline constexpr char kTimingsMarkerFile[] = "EnablePerfomanceCounters.txt";

// In the order of the report.
enum class TimingCategory : std::size_t {
    kSend,
    kRecv,
    kSendFailed,
    kRecvFailed,
    kSendWrong,
    kRecvNothing,
    kRecvTimeout,
};
inline constexpr std::size_t kTimingCategoryCount = 7;

struct TransferTimings {
    bool enabled = false;
    std::array<std::uint32_t, kTimingCategoryCount> count{};
    std::array<std::uint64_t, kTimingCategoryCount> totalUs{};

    // Counts one operation of the category that took us microseconds (when enabled).
    void Add(TimingCategory category, std::uint64_t us);
};

void ResetTimings(TransferTimings& timings);

// One line per category that counted anything:
// "send: time=600 (Avg=200) мксек., count=3\r\n". Empty when nothing was counted.
std::u16string FormatTimings(const TransferTimings& timings);

// Whether the marker file exists (and can be opened for reading) in the program's folder.
bool TimingsEnabled(const std::filesystem::path& programDirectory);

}  // namespace fw
