#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace nt {

// One JSON text (RFC 8259) parsed in place, as the lines of a run's record are read: the values
// are kept as views of the text in one flat list, strings are decoded only when asked for, and
// the list is reused line after line, so reading a record costs one pass over its bytes and no
// allocation a value. The text must outlive the parse.
class JsonLine {
  public:
    enum class Type : uint8_t { kNull, kFalse, kTrue, kNumber, kString, kArray, kObject };

    // The deepest nesting read; deeper texts are refused.
    static constexpr int kMaxDepth = 64;

    class Value;

    // False with a short reason ("unexpected 'x' at column 12") when the text is not one JSON
    // value with nothing but blanks around it.
    bool Parse(std::string_view text, std::string& error);

    // The whole text's value (an invalid value before a successful Parse).
    Value Root() const;

  private:
    struct Node {
        Type type = Type::kNull;
        bool escaped = false;  // a string holding escapes: its text is decoded when read
        uint32_t end = 0;      // the index after this node and everything inside it
        std::string_view key;  // the member name, when the node is an object's member
        std::string_view raw;  // a string's bytes between its quotes, a number's text
    };

    friend class Value;

    bool ParseValue(int depth);
    bool ParseString(std::string_view& raw, bool& escaped);
    bool ParseNumber();
    bool ParseLiteral(std::string_view word, Type type);
    bool Fail(const char* what);
    void SkipBlanks();

    std::string_view text_;
    size_t at_ = 0;
    std::string* error_ = nullptr;
    std::vector<Node> nodes_;
    std::deque<std::string> decodedKeys_;  // member names that held escapes, decoded
};

class JsonLine::Value {
  public:
    Value() = default;

    bool Valid() const { return doc_ != nullptr; }
    Type GetType() const { return Valid() ? node().type : Type::kNull; }
    bool IsNull() const { return Valid() && node().type == Type::kNull; }
    bool IsString() const { return GetType() == Type::kString; }
    bool IsNumber() const { return GetType() == Type::kNumber; }
    bool IsArray() const { return GetType() == Type::kArray; }
    bool IsObject() const { return GetType() == Type::kObject; }
    bool IsBool() const { return GetType() == Type::kTrue || GetType() == Type::kFalse; }
    bool Bool() const { return GetType() == Type::kTrue; }

    // An object's member by name; an invalid value when there is none (or this is no object).
    Value operator[](std::string_view name) const;
    // The first element of an array or member of an object, and the one after this one; invalid
    // after the last.
    Value First() const;
    Value Next() const;
    size_t Size() const;  // elements of an array, members of an object
    // The name of an object's member.
    std::string_view Key() const { return Valid() ? node().key : std::string_view(); }

    // A string's text, decoded (UTF-8); empty for anything else.
    std::string String() const;
    // A string's text when it holds no escape: a view of the line, no copy; nullopt otherwise.
    bool PlainString(std::string_view& text) const;
    // A number's text as the line has it.
    std::string_view NumberText() const { return IsNumber() ? node().raw : std::string_view(); }
    // A whole number in [min, max] (no fraction, no exponent); false otherwise.
    bool Int(int64_t& value, int64_t min, int64_t max) const;

    // The elements of an array (or the members of an object), in order.
    class Iterator;
    Iterator begin() const;
    Iterator end() const;

  private:
    friend class JsonLine;
    Value(const JsonLine* doc, uint32_t at, uint32_t parentEnd)
        : doc_(doc), at_(at), parentEnd_(parentEnd) {}
    const Node& node() const { return doc_->nodes_[at_]; }

    const JsonLine* doc_ = nullptr;
    uint32_t at_ = UINT32_MAX;
    uint32_t parentEnd_ = 0;  // where the siblings end
};

class JsonLine::Value::Iterator {
  public:
    explicit Iterator(Value v) : v_(v) {}
    Value operator*() const { return v_; }
    Iterator& operator++() {
        v_ = v_.Next();
        return *this;
    }
    bool operator!=(const Iterator& other) const { return v_.at_ != other.v_.at_; }

  private:
    Value v_;
};

inline JsonLine::Value::Iterator JsonLine::Value::begin() const {
    return Iterator(First());
}
inline JsonLine::Value::Iterator JsonLine::Value::end() const {
    return Iterator(Value());
}

// A JSON string's content between its quotes, escapes decoded to UTF-8 (a lone surrogate as
// U+FFFD).
std::string DecodeJsonString(std::string_view raw);

}  // namespace nt
