#include "text/XmlText.h"

#include "text/MarkupEscape.h"

namespace nt {

namespace {

// Windows-1252 converts to UTF-8 without surrogates or non-characters, so only the C0 controls
// need a look.
constexpr MarkupRules XmlRules(bool attribute) {
    MarkupRules rules = MarkupRules::ControlsReplaced();
    rules.replace['&'] = "&amp;";
    rules.replace['<'] = "&lt;";
    rules.replace['>'] = "&gt;";
    rules.replace['"'] = "&quot;";
    rules.replace['\''] = "&apos;";
    rules.replace['\r'] = "&#13;";
    if (attribute) {
        rules.replace['\n'] = "&#10;";
        rules.replace['\t'] = "&#9;";
    }
    return rules;
}

}  // namespace

std::string XmlEscape(std::string_view cp1252, bool attribute) {
    static constexpr MarkupRules kContent = XmlRules(false);
    static constexpr MarkupRules kAttribute = XmlRules(true);
    return EscapeMarkup(cp1252, attribute ? kAttribute : kContent);
}

}  // namespace nt
