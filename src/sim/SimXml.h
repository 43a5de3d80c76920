#pragma once

#include <string>
#include <vector>

namespace nt::sim {

// Writes a response document the way the client's own requests look: the XML declaration,
// TAB indentation, CR LF after every line. Element texts are escaped; bytes pass unchanged,
// so Windows-1252 text stays Windows-1252.
class SimXml {
  public:
    SimXml();

    void Open(const std::string& name);
    void Close();
    void Element(const std::string& name, const std::string& text);
    // The finished document; closes whatever is still open.
    std::string Finish();

  private:
    void Indent();

    std::string out_;
    std::vector<std::string> open_;  // names of the elements still open, outermost first
};

// Replaces &, < and > by their entity references.
std::string EscapeXml(const std::string& text);

}  // namespace nt::sim
