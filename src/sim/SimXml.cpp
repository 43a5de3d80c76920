#include "sim/SimXml.h"

namespace nt::sim {

std::string EscapeXml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

SimXml::SimXml() : out_("<?xml version=\"1.0\"?>\r\n") {}

void SimXml::Indent() {
    out_.append(open_.size(), '\t');
}

void SimXml::Open(const std::string& name) {
    Indent();
    out_ += "<" + name + ">\r\n";
    open_.push_back(name);
}

void SimXml::Close() {
    if (open_.empty()) {
        return;
    }
    const std::string name = open_.back();
    open_.pop_back();
    Indent();
    out_ += "</" + name + ">\r\n";
}

void SimXml::Element(const std::string& name, const std::string& text) {
    Indent();
    out_ += "<" + name + ">" + EscapeXml(text) + "</" + name + ">\r\n";
}

std::string SimXml::Finish() {
    while (!open_.empty()) {
        Close();
    }
    return out_;
}

}  // namespace nt::sim
