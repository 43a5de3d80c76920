#include "response/XmlDocument.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "platform/Codepage.h"

namespace nt {

namespace {

// Whitespace-only text is kept when it is an element's only child (a blank receipt line), and
// dropped between elements (indentation).
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

constexpr std::string_view kNoDocument = "Failed - No XML Document Loaded!";
constexpr std::string_view kNotFound = " Not Found in XML Document.";
constexpr std::string_view kParseError = "XML Parse Error at line#:";
constexpr std::string_view kParseFailure = "ATL/COM Error parsing XML";
constexpr std::string_view kLookupFailure = "Failure";

// Room for every fixed text, so reporting a failure after an allocation failure cannot throw.
constexpr size_t kErrorCapacity = 64;

// The node after `node` in document order inside `root`, or null; `leave` sees each element whose
// subtree is finished. Iterative, so nesting depth never costs stack.
template <typename Leave>
pugi::xml_node NextInOrder(pugi::xml_node node, const pugi::xml_node& root, Leave leave) {
    if (node.first_child()) {
        return node.first_child();
    }
    while (!node.next_sibling()) {
        node = node.parent();
        if (!node || node == root) {
            return {};
        }
        leave(node);
    }
    return node.next_sibling();
}

// All character data below the element, CDATA included, in document order.
std::string TextOf(const pugi::xml_node& element) {
    std::string text;
    auto ignore = [](const pugi::xml_node&) {};
    for (pugi::xml_node n = element.first_child(); n; n = NextInOrder(n, element, ignore)) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
            text += n.value();
        }
    }
    return text;
}

}  // namespace

CXmlDocument::CXmlDocument() {
    errorText_.reserve(kErrorCapacity);
}

void CXmlDocument::SetError(std::initializer_list<std::string_view> parts) {
    // assign/append reuse the reserved buffer; a moved-in string would shrink it.
    errorText_.clear();
    for (std::string_view part : parts) {
        errorText_.append(part);
    }
}

bool CXmlDocument::Load(const std::string& xml) {
    Unload();
    state_ = State::kUnparsed;
    try {
        // Our own UTF-8 copy: the parser's offsets point into it, and it stays unmodified.
        const std::string utf8 = Cp1252ToUtf8(xml);
        const pugi::xml_parse_result result =
            document_.load_buffer(utf8.data(), utf8.size(), kParseOptions, pugi::encoding_utf8);
        if (result) {
            state_ = State::kParsed;
            return true;
        }
        // The parser keeps what it read before the error; a rejected text must read as empty.
        document_.reset();
        if (result.status == pugi::status_out_of_memory) {
            SetError({kParseFailure});
            return false;
        }
        const auto end = utf8.begin() + std::clamp<ptrdiff_t>(result.offset, 0, utf8.size());
        const auto line = std::count(utf8.begin(), end, '\n') + 1;
        SetError({kParseError, std::to_string(line), "\r\n", result.description()});
    } catch (...) {
        document_.reset();
        SetError({kParseFailure});
    }
    return false;
}

bool CXmlDocument::GetField(const std::string& tag, std::string& out) {
    return Lookup(nullptr, tag, out);
}

bool CXmlDocument::GetNestedField(const std::string& parent, const std::string& tag,
                                  std::string& out) {
    return Lookup(&parent, tag, out);
}

bool CXmlDocument::Lookup(const std::string* parent, const std::string& tag, std::string& out) {
    if (state_ == State::kEmpty) {
        SetError({kNoDocument});
        return false;
    }
    out.clear();
    try {
        // Element names are UTF-8 in the tree.
        const std::string utf8Tag = Cp1252ToUtf8(tag);
        const std::string utf8Parent = parent ? Cp1252ToUtf8(*parent) : std::string();
        const pugi::xml_node element = Find(parent ? &utf8Parent : nullptr, utf8Tag);
        if (!element) {
            SetError({tag, kNotFound});
            return false;
        }
        out = Utf8ToCp1252(TextOf(element));
        return true;
    } catch (...) {
        out.clear();
        SetError({kLookupFailure});
        return false;
    }
}

void CXmlDocument::BuildIndex() {
    elements_.clear();
    byName_.clear();
    std::vector<size_t> open;  // elements whose subtree is being walked
    auto leave = [&](const pugi::xml_node&) {
        elements_[open.back()].end = elements_.size();
        open.pop_back();
    };
    for (pugi::xml_node n = document_.first_child(); n; n = NextInOrder(n, document_, leave)) {
        if (n.type() != pugi::node_element) {
            continue;  // only elements have children, so only they are ever left
        }
        const size_t position = elements_.size();
        elements_.push_back(Element{n, position + 1});
        byName_[n.name()].push_back(position);
        if (n.first_child()) {
            open.push_back(position);
        }
    }
    indexed_ = true;
}

// First element named `tag` in document order; with `parent`, the first one inside the subtree
// of an element of that name. Subtrees are ranges of document positions, so each parent costs
// one binary search.
pugi::xml_node CXmlDocument::Find(const std::string* parent, const std::string& tag) {
    if (!indexed_) {
        BuildIndex();
    }
    auto tags = byName_.find(tag);
    if (tags == byName_.end()) {
        return {};
    }
    const std::vector<size_t>& candidates = tags->second;
    if (parent == nullptr) {
        return elements_[candidates.front()].node;
    }
    auto parents = byName_.find(*parent);
    if (parents == byName_.end()) {
        return {};
    }
    for (size_t p : parents->second) {
        auto t = std::upper_bound(candidates.begin(), candidates.end(), p);
        if (t != candidates.end() && *t < elements_[p].end) {
            return elements_[*t].node;
        }
    }
    return {};
}

void CXmlDocument::Unload() {
    elements_.clear();
    byName_.clear();
    indexed_ = false;
    document_.reset();
    state_ = State::kEmpty;
}

}  // namespace nt
