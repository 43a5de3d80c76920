#pragma once

#include <string>
#include <string_view>

namespace nt {

class CLogWriter;

// Where receipt file entries go. Each call is one entry, taken literally (never a format).
class ReceiptSink {
  public:
    virtual ~ReceiptSink() = default;
    virtual void Trace(std::string_view entry) = 0;
};

// One receipt file (its base name in the log directory), through the log writer.
class LogWriterReceiptSink : public ReceiptSink {
  public:
    LogWriterReceiptSink(CLogWriter& writer, std::string fileName)
        : writer_(writer), fileName_(std::move(fileName)) {}
    void Trace(std::string_view entry) override;

  private:
    CLogWriter& writer_;
    std::string fileName_;
};

}  // namespace nt
