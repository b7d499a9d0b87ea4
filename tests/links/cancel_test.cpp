// The links' waits end at once when the transfer is cancelled: a send that the other side does
// not take, and the wait for a Wi-Fi terminal to connect. (A receive on a silent terminal is
// cancelled end to end by the command-line and window tests.)
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "comm/links/wifilink.h"
#include "harness.h"

namespace fw::test {
namespace {

// Makes the request from the event loop that the link's wait runs, as a Cancel button does.
void RequestSoon(CancelSignal& cancel, int ms = 50) {
    QTimer::singleShot(ms, [&cancel] { cancel.Request(); });
}

TEST(LinkCancel, SendThatTheOtherSideDoesNotTakeEndsOnTheRequest) {
    EnsureQtApplication();
    // The system takes the connection, but nobody accepts it and so nobody reads.
    QTcpServer terminal;
    ASSERT_TRUE(terminal.listen(QHostAddress::LocalHost, 0));
    terminal.pauseAccepting();
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, terminal.serverPort());
    ASSERT_TRUE(socket->waitForConnected(5000));
    WifiLink link(std::move(socket), LinkWaitStyle::kEventLoop);
    CancelSignal cancel;
    link.WatchCancel(&cancel);

    // Far more than the system's buffers on both sides hold: the send must wait for room.
    const std::vector<std::uint8_t> flood(64u << 20, 0x55);
    RequestSoon(cancel);
    const SendResult result = link.Send(flood);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
}

TEST(LinkCancel, WaitForTheWifiTerminalEndsOnTheRequestAndItsCancelMakesTheRequest) {
    struct Case {
        const char* name;
        int requestAfterMs;  // -1: made before the wait; 0: by the waiting step's own cancel
    };
    for (const Case c : {Case{"request while waiting", 100}, Case{"request before the wait", -1},
                         Case{"the waiting step's cancel", 0}}) {
        const std::uint16_t port = FreePort();
        CancelSignal cancel;
        RecordingWaiter waiter;
        // The step's own cancel after the first dot; else after ten, should the request fail.
        waiter.cancelAfterTicks = c.requestAfterMs == 0 ? 1 : 10;
        if (c.requestAfterMs < 0) cancel.Request();
        if (c.requestAfterMs > 0) RequestSoon(cancel, c.requestAfterMs);
        WifiWaitOutcome outcome;
        auto link = WaitForTerminal(port, LinkWaitStyle::kEventLoop, waiter, outcome, &cancel);
        EXPECT_EQ(link, nullptr) << c.name;
        EXPECT_EQ(outcome.kind, WifiWaitOutcome::kCancelled) << c.name;
        EXPECT_TRUE(cancel.Requested()) << c.name;
        EXPECT_EQ(waiter.closed, 1) << c.name;
        // Title, text and button, and a dot only when the step's cancel waited for it.
        EXPECT_EQ(waiter.texts.size(), c.requestAfterMs == 0 ? 4u : 3u) << c.name;
        // The listener is gone at once.
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        EXPECT_FALSE(late.waitForConnected(2000)) << c.name;
    }
}

}  // namespace
}  // namespace fw::test
