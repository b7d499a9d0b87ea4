// What the model tests share: block bytes as strings, so that an expectation reads as the
// text and escapes it holds, and a message presenter that records what it was asked to show.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/definition.h"
#include "model/messages.h"
#include "model/projectfile.h"
#include "model/workspace.h"
#include "support/temp_folder.h"

namespace fw::test {

// "Переменная" in windows-1251, letter by letter: П CF е E5 р F0 е E5 м EC е E5 н ED н ED
// а E0 я FF.
inline const std::string kVariableStem = "\xCF\xE5\xF0\xE5\xEC\xE5\xED\xED\xE0\xFF";

// n bytes of a block or cell from offset; all of it by default.
template <class Bytes>
std::string Str(const Bytes& bytes, std::size_t offset = 0, std::size_t n = std::string::npos) {
    const std::size_t size = std::size(bytes);
    n = std::min(n, size - offset);
    return std::string(reinterpret_cast<const char*>(std::data(bytes)) + offset, n);
}

// A 21-byte text cell: the text and zero bytes after it.
inline std::string Cell(std::string text) {
    text.resize(kTextCellSize, '\0');
    return text;
}

// A screen line: the text padded with blanks to 20 characters, then a zero byte.
inline std::string Padded(std::string text) {
    text.resize(kTextCellChars, ' ');
    return text + '\0';
}

// Puts bytes into a cell and zeroes the rest of it.
inline void SetCell(std::span<Byte> cell, std::string_view bytes) {
    std::ranges::fill(cell, Byte{0});
    std::copy_n(bytes.begin(), std::min(bytes.size(), cell.size()), cell.begin());
}

class RecordingPresenter : public MessagePresenter {
  public:
    int Show(const MessageRequest& request) override {
        shown.push_back(request);
        return answer;
    }
    std::vector<MessageRequest> shown;
    int answer = kIdOk;
};

// A file dialog that hands out its answers in order, then cancels, and keeps each request.
class ScriptedDialogs : public ProjectDialogs {
  public:
    std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::filesystem::path>> answers;
    std::vector<FileDialogRequest> requests;
};

// A workspace started in a folder of its own, whose messages are recorded.
class WorkspaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartWorkspace(*ws, dir.Path());
        ws->presenter = &presenter;
    }

    TempFolder dir;
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    RecordingPresenter presenter;
};

}  // namespace fw::test
