#include "fakes.h"

#include <algorithm>
#include <stdexcept>

namespace fw::test {

namespace {
constexpr std::size_t kMaxReceives = 100000;
}  // namespace

void ScriptedLink::Schedule(const Reply& reply) {
    std::uint64_t at = clock_.NowMs();
    for (const Piece& p : reply) {
        at += p.delayMs;
        incoming_.push_back({p.bytes, at, p.disconnect});
    }
}

void ScriptedLink::Queue(const Reply& reply) {
    Schedule(reply);
}

SendResult ScriptedLink::Send(std::span<const std::uint8_t> bytes) {
    const std::size_t index = sent.size();
    sent.emplace_back(bytes.begin(), bytes.end());
    clock_.AdvanceUs(sendCostUs);
    if (broken_ || (failSendFrom && index >= *failSendFrom)) return {false, 0};
    if (!replies.empty()) {
        Schedule(replies.front());
        replies.pop_front();
    }
    const std::size_t out = shortSends && !bytes.empty() ? bytes.size() - 1 : bytes.size();
    return {true, out};
}

ReceiveResult ScriptedLink::Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) {
    receiveTimeouts.push_back(timeoutMs);
    // A flow that keeps reading a link that never waits would spin forever; fail the test.
    if (receiveTimeouts.size() > kMaxReceives) throw std::runtime_error("receive loop runs away");
    if (broken_) return {ReceiveStatus::kFailed, 0};
    const std::uint64_t now = clock_.NowMs();
    if (incoming_.empty() || incoming_.front().atMs > now + timeoutMs) {
        clock_.Advance(timeoutMs);
        return {ReceiveStatus::kTimeout, 0};
    }
    Arrival& next = incoming_.front();
    if (next.atMs > now) clock_.Advance(next.atMs - now);
    if (next.disconnect) {
        broken_ = true;
        incoming_.clear();
        return {ReceiveStatus::kFailed, 0};
    }
    const std::size_t n = std::min(buffer.size(), next.bytes.size());
    std::copy_n(next.bytes.begin(), n, buffer.begin());
    next.bytes.erase(0, n);
    if (next.bytes.empty()) incoming_.pop_front();
    return {ReceiveStatus::kOk, n};
}

void ScriptedLink::PurgeInput() {
    ++purges;
    const std::uint64_t now = clock_.NowMs();
    while (!incoming_.empty() && incoming_.front().atMs <= now && !incoming_.front().disconnect)
        incoming_.pop_front();
}

namespace {

// The handle a run owns; the scripted link itself stays with the opener.
class LinkHandle final : public Link {
  public:
    explicit LinkHandle(Link& link) : link_(link) {}
    SendResult Send(std::span<const std::uint8_t> bytes) override { return link_.Send(bytes); }
    ReceiveResult Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override {
        return link_.Receive(buffer, timeoutMs);
    }
    void PurgeInput() override { link_.PurgeInput(); }
    bool IsSerial() const override { return link_.IsSerial(); }
    void Close(bool purgeInput) override { link_.Close(purgeInput); }

  private:
    Link& link_;
};

}  // namespace

std::unique_ptr<Link> ScriptedOpener::OpenLink(LinkDirection direction) {
    opened.push_back(direction);
    if (links.empty()) return nullptr;
    used.push_back(std::move(links.front()));
    links.pop_front();
    return std::make_unique<LinkHandle>(*used.back());
}

int ScriptedUi::Show(const MessageRequest& request) {
    messages.push_back({request.caption, request.text, request.icon, request.buttons});
    const bool question =
        request.buttons == MessageButtons::YesNo || request.buttons == MessageButtons::YesNoCancel;
    if (!question) return kIdOk;
    if (answers.empty()) return kIdNo;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedUi::ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) {
    fileRequests.push_back(request);
    if (files.empty()) return false;
    chosen = files.front();
    files.pop_front();
    return true;
}

void ScriptedUi::OpenProgress(std::u16string_view title, std::u16string_view text) {
    progressTitle = title;
    progressText = text;
    progressOpen = true;
    ++progressOpened;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

Reply Answer(std::string bytes, std::uint32_t delayMs) {
    return Reply{Piece{std::move(bytes), delayMs, false}};
}

}  // namespace fw::test
