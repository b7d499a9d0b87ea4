#include "report.h"

#include <cstdio>
#include <sstream>

namespace fw::cli {

Node Node::Text(std::string_view text) {
    Node n(Kind::String);
    n.text_ = std::string(text);
    return n;
}

Node Node::Number(std::int64_t value) {
    Node n(Kind::Number);
    n.number_ = value;
    return n;
}

Node Node::Bool(bool value) {
    Node n(Kind::Bool);
    n.flag_ = value;
    return n;
}

Node& Node::Add(std::string_view key, Node value) {
    keys_.emplace_back(key);
    items_.push_back(std::move(value));
    return *this;
}

Node& Node::Push(Node value) {
    items_.push_back(std::move(value));
    return *this;
}

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return out;
}

std::string Node::ScalarText() const {
    switch (kind_) {
        case Kind::Null:
            return "-";
        case Kind::Bool:
            return flag_ ? "yes" : "no";
        case Kind::Number:
            return std::to_string(number_);
        case Kind::String:
            return text_;
        default:
            return {};
    }
}

void Node::WriteJson(std::ostream& os, int indent) const {
    const std::string pad(indent + 2, ' ');
    switch (kind_) {
        case Kind::Null:
            os << "null";
            return;
        case Kind::Bool:
            os << (flag_ ? "true" : "false");
            return;
        case Kind::Number:
            os << number_;
            return;
        case Kind::String:
            os << JsonQuote(text_);
            return;
        case Kind::Array:
        case Kind::Object:
            break;
    }
    const bool object = kind_ == Kind::Object;
    if (items_.empty()) {
        os << (object ? "{}" : "[]");
        return;
    }
    os << (object ? "{\n" : "[\n");
    for (std::size_t i = 0; i < items_.size(); ++i) {
        os << pad;
        if (object) os << JsonQuote(keys_[i]) << ": ";
        items_[i].WriteJson(os, indent + 2);
        os << (i + 1 < items_.size() ? ",\n" : "\n");
    }
    os << std::string(indent, ' ') << (object ? "}" : "]");
}

// Objects print as "key: value" lines, nested ones indented under their key; array items
// start with "- ". A text value that shows blanks at its ends, or nothing, is quoted so that
// they can be seen.
void Node::WriteText(std::ostream& os, int indent) const {
    const std::string pad(indent, ' ');
    const auto scalar = [](const Node& n) {
        if (n.kind_ == Kind::String &&
            (n.text_.empty() || n.text_.front() == ' ' || n.text_.back() == ' '))
            return JsonQuote(n.text_);
        return n.ScalarText();
    };
    if (IsScalar()) {
        os << pad << scalar(*this) << "\n";
        return;
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Node& item = items_[i];
        const std::string head = kind_ == Kind::Object ? keys_[i] + ":" : "-";
        if (item.IsScalar()) {
            os << pad << head << " " << scalar(item) << "\n";
        } else if (item.items_.empty()) {
            os << pad << head << " none\n";
        } else if (kind_ == Kind::Array && item.kind_ == Kind::Object) {
            // "- " takes the place of the indent of the object's first member.
            std::ostringstream nested;
            item.WriteText(nested, indent + 2);
            os << pad << "- " << nested.str().substr(indent + 2);
        } else {
            os << pad << head << "\n";
            item.WriteText(os, indent + 2);
        }
    }
}

}  // namespace fw::cli
