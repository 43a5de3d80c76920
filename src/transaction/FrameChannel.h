#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace nt {

// One message between the program and its payment client helper. A request carries its kind in
// `tag` and the request document in `text`; a reply carries the call's result code, the response
// text and the failure's description. The helper loads the plugin when the first request,
// kFrameCreate, comes; its reply says whether the client was created (tag 0) or why not (a
// failure code and its description).
struct Frame {
    int32_t tag = 0;
    std::string text;
    std::string error;
};

inline constexpr int32_t kFrameProcessTransaction = 1;
inline constexpr int32_t kFrameGetPadTypesInfo = 2;
inline constexpr int32_t kFrameCreate = 3;

// No text of a frame is longer: a larger answer fails its call instead of filling the memory.
inline constexpr size_t kFrameTextLimit = size_t{16} << 20;

// "the payment client's response is N bytes, over the limit of 16 MiB" for `what` "response".
std::string OverLimitText(const char* what, size_t size);

// On the wire: the tag, the text's length and the error's length as 32-bit little-endian
// numbers, then the two texts.
std::string EncodeFrame(const Frame& frame);

// Collects the bytes of a stream as they arrive and hands out whole frames.
class FrameReader {
  public:
    void Append(const char* data, size_t size) { buffer_.append(data, size); }
    // The next whole frame, when one has arrived. A header that announces a text over the limit
    // breaks the stream: Broken() then says why, and no frame comes any more.
    std::optional<Frame> Next();
    const std::string& Broken() const { return broken_; }

  private:
    std::string buffer_;
    std::string broken_;
};

// Blocking exchange on a stream socket, as the helper does it. SendFrame is false when the peer
// is gone (never SIGPIPE); ReceiveFrame at the end of the stream, on an error or a broken frame.
// The reader keeps what arrived beyond the frame for the next one.
bool SendFrame(int fd, const Frame& frame);
bool ReceiveFrame(int fd, FrameReader& reader, Frame& frame);

}  // namespace nt
