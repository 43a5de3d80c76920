#pragma once

#include <string>
#include <string_view>

namespace nt {

// Where receipt file entries go. Each call is one entry, taken literally (never a format).
class ReceiptSink {
  public:
    virtual ~ReceiptSink() = default;
    virtual void Trace(std::string_view entry) = 0;
};

// The receipt file, through the log writer; keeps a copy of what it wrote, one entry a line.
class LogWriterReceiptSink : public ReceiptSink {
  public:
    void Trace(std::string_view entry) override;
    const std::string& Written() const { return written_; }

  private:
    std::string written_;
};

}  // namespace nt
