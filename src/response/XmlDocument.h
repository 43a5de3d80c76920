#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

namespace nt {

// One XML response, loaded once and read by element name. Text in and out is Windows-1252.
// Every failure is a false result plus ErrorText(); nothing throws.
class CXmlDocument {
  public:
    CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Starts over. False when the text is not well-formed; the document then stays created but
    // empty, so lookups report "not found" rather than "no document".
    bool Load(const std::string& xml);

    // Text of the first element named `tag` in document order. Without a loaded document the
    // output is left untouched; otherwise it is emptied first.
    bool GetField(const std::string& tag, std::string& out);

    // As GetField, for the first element named `tag` that has an ancestor named `parent`.
    bool GetNestedField(const std::string& parent, const std::string& tag, std::string& out);

    void Unload();

    // The last failure; a successful call leaves it as it was.
    const std::string& ErrorText() const { return errorText_; }
    bool Created() const { return state_ != State::kEmpty; }

  private:
    enum class State { kEmpty, kParsed, kUnparsed };

    void SetError(std::initializer_list<std::string_view> parts);
    bool Lookup(const std::string* parent, const std::string& tag, std::string& out);
    pugi::xml_node Find(const std::string* parent, const std::string& tag);
    void BuildIndex();

    // Every element in document order with the end of its subtree, and each name's elements:
    // built once per document, so a response's many lookups cost one walk.
    struct Element {
        pugi::xml_node node;
        size_t end;  // one past the last element of its subtree
    };
    std::vector<Element> elements_;
    std::unordered_map<std::string_view, std::vector<size_t>> byName_;  // names live in the tree
    bool indexed_ = false;

    std::string errorText_;
    State state_ = State::kEmpty;
    pugi::xml_document document_;
};

}  // namespace nt
