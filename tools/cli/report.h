// A report for people and scripts from one tree: shown as indented "key: value" text, or as
// JSON (UTF-8). Building the content once keeps the two from saying different things.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace fw::cli {

class Node {
  public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Node() = default;
    static Node Object() { return Node(Kind::Object); }
    static Node Array() { return Node(Kind::Array); }
    static Node Text(std::string_view text);
    static Node Number(std::int64_t value);
    static Node Bool(bool value);

    // Object members keep their order.
    Node& Add(std::string_view key, Node value);
    Node& Add(std::string_view key, std::string_view text) { return Add(key, Text(text)); }
    Node& Add(std::string_view key, const char* text) { return Add(key, Text(text)); }
    Node& Add(std::string_view key, std::int64_t value) { return Add(key, Number(value)); }
    Node& Add(std::string_view key, int value) { return Add(key, Number(value)); }
    Node& Add(std::string_view key, bool value) { return Add(key, Bool(value)); }
    // Array items.
    Node& Push(Node value);

    Kind kind() const { return kind_; }
    bool Empty() const { return items_.empty(); }

    void WriteJson(std::ostream& os, int indent = 0) const;
    void WriteText(std::ostream& os, int indent = 0) const;

  private:
    explicit Node(Kind kind) : kind_(kind) {}
    bool IsScalar() const { return kind_ != Kind::Array && kind_ != Kind::Object; }
    std::string ScalarText() const;

    Kind kind_ = Kind::Null;
    bool flag_ = false;
    std::int64_t number_ = 0;
    std::string text_;
    std::vector<std::string> keys_;
    std::vector<Node> items_;
};

// A JSON string literal: quotes, backslashes and control characters escaped; the text is
// taken to be UTF-8 already.
std::string JsonQuote(std::string_view text);

}  // namespace fw::cli
