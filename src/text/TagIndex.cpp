#include "text/TagIndex.h"

#include <algorithm>

#include "text/ExtractTagValue.h"

namespace nt {

TagIndex::TagIndex(std::string_view text) : text_(text) {
    // Every '<' may start a tag: overlapping candidates such as "<<a>" are found as the plain
    // search finds them.
    for (size_t p = text.find('<'); p != std::string_view::npos; p = text.find('<', p + 1)) {
        const bool closing = p + 1 < text.size() && text[p + 1] == '/';
        const size_t nameStart = p + (closing ? 2 : 1);
        const size_t limit = std::min(text.size(), nameStart + kMaxIndexedName + 1);
        size_t gt = nameStart;
        while (gt < limit && text[gt] != '>') {
            ++gt;
        }
        if (gt >= limit) {
            continue;  // no '>' close enough: no name we look up can end here
        }
        std::string_view name = text.substr(nameStart, gt - nameStart);
        if (closing) {
            closes_[name].push_back(p);
        }
        firstOpen_.try_emplace(text.substr(p + 1, gt - p - 1), p);
    }
}

std::string TagIndex::Value(const std::string& name) const {
    if (name.size() > kMaxIndexedName || name.find('>') != std::string::npos) {
        return ExtractTagValue(std::string(text_), name);
    }
    auto open = firstOpen_.find(name);
    if (open == firstOpen_.end()) {
        return {};
    }
    auto close = closes_.find(name);
    if (close == closes_.end()) {
        return {};
    }
    const size_t p = open->second;
    auto q = std::lower_bound(close->second.begin(), close->second.end(), p);
    if (q == close->second.end()) {
        return {};
    }
    const size_t start = p + name.size() + 2;
    return std::string(text_.substr(start, *q - start));
}

}  // namespace nt
