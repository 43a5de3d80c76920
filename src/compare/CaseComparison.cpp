#include "compare/CaseComparison.h"

#include <algorithm>
#include <pugixml.hpp>
#include <unordered_map>

#include "platform/QuotedInput.h"

namespace nt {

namespace {

using Elements = std::vector<std::pair<std::string, std::string>>;

std::optional<std::string> TextOrNone(const JsonLine::Value& value) {
    if (!value.IsString()) {
        return std::nullopt;
    }
    return value.String();
}

// The element or attribute name a path ends in: "Amount/Purchase" -> "Purchase",
// "Item[2]" -> "Item", "Amount/@currency" -> "currency".
std::string_view NameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.starts_with('@')) {
        name.remove_prefix(1);
    }
    if (const size_t bracket = name.find('['); bracket != std::string_view::npos) {
        name = name.substr(0, bracket);
    }
    return name;
}

bool InPrintData(std::string_view path) {
    return path.starts_with("PrintData") || path.find("/PrintData") != std::string_view::npos ||
           path.starts_with("CustomerPrintData") ||
           path.find("/CustomerPrintData") != std::string_view::npos;
}

void AddElements(const pugi::xml_node& node, const std::string& prefix, Elements& out) {
    std::vector<std::pair<std::string_view, int>> seen;  // names met among the children: few
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        out.emplace_back(prefix + "@" + attribute.name(), attribute.value());
    }
    bool elements = false;
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        elements = true;
        const std::string_view name = child.name();
        auto met = std::find_if(seen.begin(), seen.end(),
                                [name](const auto& entry) { return entry.first == name; });
        if (met == seen.end()) {
            met = seen.insert(seen.end(), {name, 0});
        }
        const int n = ++met->second;
        std::string path = prefix + child.name();
        if (n > 1) {
            path += "[" + std::to_string(n) + "]";
        }
        AddElements(child, path + "/", out);
    }
    if (!elements && !prefix.empty()) {
        std::string text;
        for (const pugi::xml_node& child : node.children()) {
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                text += child.value();
            }
        }
        std::string path = prefix.substr(0, prefix.size() - 1);
        // Its attributes went in first; the element's own text belongs before them.
        out.emplace_back(std::move(path), std::move(text));
    }
}

// A request or response of a case line, parsed once when first needed.
struct Document {
    std::string text;
    const std::optional<Elements>& Parsed() const {
        if (!parsed) {
            elements = XmlElements(text);
            parsed = true;
        }
        return elements;
    }
    mutable bool parsed = false;
    mutable std::optional<Elements> elements{};
};

// The requests as sent, or the responses, of a case line.
std::vector<Document> Documents(const JsonLine::Value& list, const char* member) {
    std::vector<Document> documents;
    for (const JsonLine::Value item : list) {
        documents.push_back({item[member].String()});
    }
    return documents;
}

class Comparer {
  public:
    Comparer(const IgnoreRules& rules, CaseDifference& d) : rules_(rules), d_(d) {}

    void Field(std::string what, std::optional<std::string> base, std::optional<std::string> now,
               bool masked = true) {
        if (base && now && *base == *now) {
            return;
        }
        if (base && now && (masked ? rules_.Masked(*base) == rules_.Masked(*now) : *base == *now)) {
            return;
        }
        if (!base && !now) {
            return;
        }
        d_.fields.push_back({std::move(what), std::move(base), std::move(now)});
    }

    // Two documents element by element; a text that is not XML whole.
    void Documents(const std::string& what, const Document& baseDoc, const Document& newDoc,
                   bool basePrintData, bool nowPrintData) {
        const std::string& base = baseDoc.text;
        const std::string& now = newDoc.text;
        if (base == now) {
            return;
        }
        const std::optional<Elements>& b = baseDoc.Parsed();
        const std::optional<Elements>& n = newDoc.Parsed();
        if (!b || !n) {
            Field(what, base, now);
            return;
        }
        std::unordered_map<std::string_view, size_t> inNew;
        inNew.reserve(n->size());
        for (size_t i = 0; i < n->size(); ++i) {
            inNew.emplace((*n)[i].first, i);
        }
        std::vector<bool> matched(n->size(), false);
        const auto skipped = [this](std::string_view path, bool printData) {
            return rules_.IgnoresElement(NameOf(path)) || (printData && InPrintData(path));
        };
        for (const auto& [path, value] : *b) {
            const auto found = inNew.find(path);
            if (found != inNew.end()) {
                matched[found->second] = true;
            }
            if (skipped(path, basePrintData) ||
                (found != inNew.end() && skipped(path, nowPrintData))) {
                continue;
            }
            Field(what + " " + path, value,
                  found == inNew.end() ? std::nullopt
                                       : std::optional<std::string>((*n)[found->second].second));
        }
        for (size_t i = 0; i < n->size(); ++i) {
            if (!matched[i] && !skipped((*n)[i].first, nowPrintData)) {
                Field(what + " " + (*n)[i].first, std::nullopt, (*n)[i].second);
            }
        }
    }

  private:
    const IgnoreRules& rules_;
    CaseDifference& d_;
};

std::string Joined(const JsonLine::Value& texts) {
    std::string joined;
    for (const JsonLine::Value text : texts) {
        joined += (joined.empty() ? "" : "\n") + text.String();
    }
    return joined;
}

std::string Count(size_t n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

// The values the case's ignored elements have in its requests and responses, longest first,
// which its receipt lines show masked.
std::vector<std::pair<std::string, std::string>> IgnoredValues(
    const std::vector<Document>& requests, const std::vector<Document>& responses,
    const IgnoreRules& rules) {
    std::vector<std::pair<std::string, std::string>> values;
    if (rules.StrictRules()) {
        return values;
    }
    const auto add = [&](const Document& document) {
        const std::optional<Elements>& elements = document.Parsed();
        if (!elements) {
            return;
        }
        for (const auto& [path, value] : *elements) {
            const std::string_view name = NameOf(path);
            if (!rules.IgnoresElement(name)) {
                continue;
            }
            const size_t first = value.find_first_not_of(" \t\r\n");
            if (first == std::string::npos) {
                continue;
            }
            std::string trimmed =
                value.substr(first, value.find_last_not_of(" \t\r\n") + 1 - first);
            std::pair<std::string, std::string> entry(std::string(name), std::move(trimmed));
            if (std::find(values.begin(), values.end(), entry) == values.end()) {
                values.push_back(std::move(entry));
            }
        }
    };
    for (const Document& response : responses) {
        add(response);
    }
    for (const Document& request : requests) {
        add(request);
    }
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
        return a.second.size() > b.second.size();
    });
    return values;
}

// Whether a receipt was rendered from the response of index `response`.
bool HasReceipt(const JsonLine::Value& testCase, size_t response) {
    for (const JsonLine::Value receipt : testCase["receipts"]) {
        int64_t from = -1;
        if (receipt["response"].Int(from, 0, INT32_MAX) && static_cast<size_t>(from) == response) {
            return true;
        }
    }
    return false;
}

std::vector<JsonLine::Value> Items(const JsonLine::Value& array) {
    std::vector<JsonLine::Value> items;
    for (const JsonLine::Value item : array) {
        items.push_back(item);
    }
    return items;
}

std::string Quoted(const std::optional<std::string>& text) {
    return text ? QuoteInput(*text) : std::string("none");
}

}  // namespace

std::optional<Elements> XmlElements(const std::string& xml) {
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
        return std::nullopt;
    }
    const pugi::xml_node root = doc.document_element();
    if (!root) {
        return std::nullopt;
    }
    Elements elements;
    AddElements(root, "", elements);
    return elements;
}

std::optional<CaseDifference> CompareCases(const JsonLine::Value& base, const JsonLine::Value& now,
                                           const IgnoreRules& rules) {
    CaseDifference d;
    int64_t line = 0;
    base["line"].Int(line, 0, INT32_MAX);
    d.line = line;
    d.info = base["test_case_info"].String();
    Comparer compare(rules, d);

    compare.Field("verdict", base["verdict"].String(), now["verdict"].String(), false);
    compare.Field("reasons", Joined(base["reasons"]), Joined(now["reasons"]));
    compare.Field("script row", Joined(base["columns"]), Joined(now["columns"]), false);
    if (!rules.IgnoresElement("CmdStatus")) {
        compare.Field("CmdStatus", TextOrNone(base["actual_status"]),
                      TextOrNone(now["actual_status"]));
    }
    if (!rules.IgnoresElement("TextResponse")) {
        compare.Field("TextResponse", TextOrNone(base["text_response"]),
                      TextOrNone(now["text_response"]));
    }

    const std::vector<Document> baseRequests = Documents(base["requests"], "sent");
    const std::vector<Document> newRequests = Documents(now["requests"], "sent");
    if (baseRequests.size() != newRequests.size()) {
        compare.Field("requests sent", Count(baseRequests.size(), "request"),
                      Count(newRequests.size(), "request"), false);
    }
    for (size_t i = 0; i < std::min(baseRequests.size(), newRequests.size()); ++i) {
        compare.Documents("request " + std::to_string(i + 1), baseRequests[i], newRequests[i],
                          false, false);
    }

    const std::vector<Document> baseResponses = Documents(base["responses"], "text");
    const std::vector<Document> newResponses = Documents(now["responses"], "text");
    if (baseResponses.size() != newResponses.size()) {
        compare.Field("responses", Count(baseResponses.size(), "response"),
                      Count(newResponses.size(), "response"), false);
    }
    for (size_t i = 0; i < std::min(baseResponses.size(), newResponses.size()); ++i) {
        compare.Documents("response " + std::to_string(i + 1), baseResponses[i], newResponses[i],
                          HasReceipt(base, i), HasReceipt(now, i));
    }

    const std::vector<JsonLine::Value> baseReceipts = Items(base["receipts"]);
    const std::vector<JsonLine::Value> newReceipts = Items(now["receipts"]);
    if (baseReceipts.size() != newReceipts.size()) {
        compare.Field("receipts", Count(baseReceipts.size(), "receipt"),
                      Count(newReceipts.size(), "receipt"), false);
    }
    const size_t receipts = std::max(baseReceipts.size(), newReceipts.size());
    if (receipts > 0) {
        std::optional<std::vector<std::pair<std::string, std::string>>> baseValues;
        std::optional<std::vector<std::pair<std::string, std::string>>> newValues;
        for (size_t i = 0; i < receipts; ++i) {
            for (const char* copy : {"cardholder_copy", "merchant_copy"}) {
                CopyDifference c;
                c.what = "receipt " + std::to_string(i + 1) + ", " +
                         (copy[0] == 'c' ? "cardholder copy" : "merchant copy");
                if (i < baseReceipts.size()) {
                    c.base = SplitLines(baseReceipts[i][copy].String());
                }
                if (i < newReceipts.size()) {
                    c.now = SplitLines(newReceipts[i][copy].String());
                }
                if (c.base == c.now) {
                    continue;
                }
                if (!baseValues) {
                    baseValues = IgnoredValues(baseRequests, baseResponses, rules);
                    newValues = IgnoredValues(newRequests, newResponses, rules);
                }
                std::vector<std::string> baseKeys;
                std::vector<std::string> newKeys;
                for (const std::string& l : c.base) {
                    baseKeys.push_back(rules.MaskedLine(l, *baseValues));
                }
                for (const std::string& l : c.now) {
                    newKeys.push_back(rules.MaskedLine(l, *newValues));
                }
                if (baseKeys == newKeys) {
                    continue;
                }
                c.rows = DiffLines(baseKeys, newKeys);
                d.copies.push_back(std::move(c));
            }
        }
    }

    compare.Field("message boxes", Joined(base["messages"]), Joined(now["messages"]));
    if (!rules.IgnoresDurations()) {
        compare.Field("duration", std::string(base["duration_ms"].NumberText()) + " ms",
                      std::string(now["duration_ms"].NumberText()) + " ms", false);
    }
    if (d.fields.empty() && d.copies.empty()) {
        return std::nullopt;
    }
    return d;
}

CaseDifference OneSidedCase(const JsonLine::Value& testCase, CaseChange change) {
    CaseDifference d;
    d.change = change;
    int64_t line = 0;
    testCase["line"].Int(line, 0, INT32_MAX);
    d.line = line;
    d.info = testCase["test_case_info"].String();
    d.verdict = testCase["verdict"].String();
    d.status = testCase["actual_status"].String();
    d.textResponse = testCase["text_response"].String();
    d.typeAndAmount = testCase["type"].String() + " " + testCase["amount"].String();
    return d;
}

std::string SummaryLine(const CaseDifference& d) {
    static constexpr const char* kWords[] = {"changed", "added  ", "missing"};
    std::string line = std::string(kWords[static_cast<int>(d.change)]) + " line " +
                       std::to_string(d.line) + " " + QuoteInput(d.info);
    if (d.change != CaseChange::kChanged) {
        line += ": " + d.verdict;
        if (!d.status.empty()) {
            line += ", CmdStatus " + QuoteInput(d.status);
        }
        return line;
    }
    size_t shown = 0;
    std::string details;
    for (const FieldDifference& field : d.fields) {
        if (shown == kShownDifferences) {
            break;
        }
        details += (shown++ == 0 ? "" : "; ") + field.what + " " + Quoted(field.base) + " -> " +
                   Quoted(field.now);
    }
    for (const CopyDifference& copy : d.copies) {
        if (shown == kShownDifferences) {
            break;
        }
        const size_t lines = ChangedRows(copy.rows);
        details += (shown++ == 0 ? "" : "; ") + copy.what + ": " + Count(lines, "line") +
                   (lines == 1 ? " differs" : " differ");
    }
    const size_t all = d.fields.size() + d.copies.size();
    if (all > shown) {
        details += "; and " + std::to_string(all - shown) + " more";
    }
    return line + ": " + details;
}

}  // namespace nt
