#include "text/HtmlText.h"

#include "text/MarkupEscape.h"

namespace nt {

std::string HtmlEscape(std::string_view cp1252) {
    static constexpr MarkupRules kRules = [] {
        MarkupRules rules = MarkupRules::ControlsReplaced();
        rules.replace['&'] = "&amp;";
        rules.replace['<'] = "&lt;";
        rules.replace['"'] = "&quot;";
        rules.replace['\''] = "&#39;";
        rules.replace['\x7F'] = "\xEF\xBF\xBD";
        rules.replace['\r'] = "\n";
        rules.foldCrLf = true;
        return rules;
    }();
    return EscapeMarkup(cp1252, kRules);
}

}  // namespace nt
