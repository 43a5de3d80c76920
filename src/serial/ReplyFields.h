#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace nt {

// A terminal reply is complete when it begins and ends with CR LF and holds more than that.
bool IsReplyComplete(std::string_view text);

// The first nine tokens of a reply. A token is a run of bytes 0x21 to 0x7F; every other byte
// separates tokens. A token still open at the end of the text does not count.
class CReplyFields {
  public:
    static constexpr size_t kCount = 9;

    explicit CReplyFields(std::string_view reply);
    // Token 1 to 9; empty when the reply had fewer.
    const std::string& Token(size_t number) const;

  private:
    std::array<std::string, kCount> tokens_;
    std::string none_;
};

// The reply's non-empty lines, CRs removed, each ended by CR LF; text after the last LF dropped.
std::string ReplyLines(std::string_view reply);

// The receipt body of a details reply: its lines up to the last "EOD " marker.
std::string ReceiptBody(std::string_view detailsReply);

}  // namespace nt
