// The step in which the PC waits for a Wi-Fi terminal to connect. The link owns the waiting (its
// listening socket, the 500 ms dot animation, the connection); the waiter only shows it and
// lets the person cancel: a dialog in the GUI, a line on stderr and Ctrl-C in the command-line
// tool, nothing at all in tests.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fw {

inline constexpr char16_t kWaitTitle[] = u"Ожидание подключения";
inline constexpr char16_t kWaitText[] = u"Ожидание подключения терминала";
inline constexpr char16_t kWaitCancel[] = u"Отмена";
// The caption of the errors that end the waiting step.
inline constexpr char16_t kWaitErrorCaption[] = u"Ошибка подключения";
inline constexpr int kWaitDotsIntervalMs = 500;

class ConnectionWaiter {
  public:
    virtual ~ConnectionWaiter() = default;

    // The waiting step begins. cancel ends it without a connection; it may be called from the
    // event loop that runs while the step is shown, at most once.
    virtual void Open(std::u16string_view title, std::u16string_view text,
                      std::u16string_view cancelButton, std::function<void()> cancel) = 0;
    // Every 500 ms: the base text followed by 0, 1, 2, 3, 0 ... dots.
    virtual void SetText(std::u16string_view text) = 0;
    // The step ended (connected, cancelled or failed).
    virtual void Close() = 0;
};

// Shows nothing and never cancels.
class SilentWaiter final : public ConnectionWaiter {
  public:
    void Open(std::u16string_view, std::u16string_view, std::u16string_view,
              std::function<void()>) override {}
    void SetText(std::u16string_view) override {}
    void Close() override {}
};

}  // namespace fw
