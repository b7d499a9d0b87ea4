#include "comm/timings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace fw {
namespace {

TEST(Timings, ReportListsCountedCategoriesInOrderWithTruncatedAverage) {
    TransferTimings t;
    t.Add(TimingCategory::kSend, 100);  // switched off: not counted
    EXPECT_EQ(FormatTimings(t), u"");

    t.enabled = true;
    t.Add(TimingCategory::kRecvTimeout, 2000000);
    t.Add(TimingCategory::kSend, 100);
    t.Add(TimingCategory::kSend, 200);
    t.Add(TimingCategory::kSend, 300);
    for (std::uint64_t us : {4, 4, 3})
        t.Add(TimingCategory::kRecvNothing, us);  // 11 / 3
    t.Add(TimingCategory::kRecvFailed, 40);
    t.Add(TimingCategory::kSendWrong, 50);
    t.Add(TimingCategory::kSendFailed, 30);
    t.Add(TimingCategory::kRecv, 20);
    EXPECT_EQ(FormatTimings(t),
              u"send: time=600 (Avg=200) мксек., count=3\r\n"
              u"recv: time=20 (Avg=20) мксек., count=1\r\n"
              u"send failed: time=30 (Avg=30) мксек., count=1\r\n"
              u"recv failed: time=40 (Avg=40) мксек., count=1\r\n"
              u"send wrong: time=50 (Avg=50) мксек., count=1\r\n"
              u"recv nothing: time=11 (Avg=3) мксек., count=3\r\n"
              u"recv timeout: time=2000000 (Avg=2000000) мксек., count=1\r\n");

    ResetTimings(t);
    EXPECT_EQ(FormatTimings(t), u"");
}

TEST(Timings, MarkerFileInTheProgramFolderSwitchesThemOn) {
    test::TempFolder dir;
    EXPECT_FALSE(TimingsEnabled(dir.Path()));
    dir.Write("EnablePerfomanceCounters.txt", "\n");
    EXPECT_TRUE(TimingsEnabled(dir.Path()));
}

}  // namespace
}  // namespace fw
