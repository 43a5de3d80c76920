#include "serial/SerialPort.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

namespace nt {

std::optional<LineSettings> MakeLineSettings(uint32_t baudRate, char parity, char dataBits,
                                             char stopBits) {
    LineSettings settings;
    switch (baudRate) {
        case 300:
        case 1200:
        case 2400:
        case 4800:
        case 9600:
        case 19200:
            settings.baudRate = baudRate;
            break;
        default:
            return std::nullopt;
    }
    switch (parity) {
        case 'E':
        case 'e':
            settings.parity = Parity::Even;
            break;
        case 'N':
        case 'n':
            settings.parity = Parity::None;
            break;
        case 'O':
        case 'o':
            settings.parity = Parity::Odd;
            break;
        default:
            return std::nullopt;
    }
    if (dataBits != '7' && dataBits != '8') {
        return std::nullopt;
    }
    settings.dataBits = dataBits - '0';
    if (stopBits != '1' && stopBits != '2') {
        return std::nullopt;
    }
    settings.stopBits = stopBits - '0';
    return settings;
}

CSerialPort::CSerialPort(Clock& clock, SerialOpener opener)
    : clock_(clock), opener_(std::move(opener)) {}

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(const std::string& portText, uint32_t baudRate, char parity, char dataBits,
                       char stopBits) {
    return OpenPort(LeadingNumber(portText), baudRate, parity, dataBits, stopBits);
}

bool CSerialPort::OpenPort(int port, uint32_t baudRate, char parity, char dataBits, char stopBits) {
    if (!Close()) {
        return false;
    }
    if (port < 1 || port > 255 || !opener_) {
        return false;
    }
    device_ = opener_(SerialDevicePath(port), clock_);
    if (!device_) {
        return false;
    }
    device_->SetQueueSizes(kBufferSize, kBufferSize);
    // The current settings are only probed: the line is rebuilt from the arguments alone.
    if (!device_->ProbeSettings()) {
        Discard();
        return false;
    }
    const std::optional<LineSettings> settings =
        MakeLineSettings(baudRate, parity, dataBits, stopBits);
    if (!settings || !device_->ApplySettings(*settings)) {
        Discard();
        return false;
    }
    return true;
}

bool CSerialPort::Close() {
    if (!device_) {
        return true;
    }
    if (!device_->Close()) {
        return false;
    }
    device_.reset();
    return true;
}

// A failed open never leaves a half-configured port behind, even if the release fails.
void CSerialPort::Discard() {
    device_->Close();
    device_.reset();
}

int CSerialPort::Write(const std::string& text, uint32_t timeoutMs) {
    size_t size = text.size();
    if (size > kBufferSize) {
        size = kBufferSize - 1;
    }
    std::memcpy(writeBuffer_.data(), text.data(), size);
    if (size == 0) {
        return kWriteSent;
    }
    if (!device_) {
        return kWriteError;
    }
    std::optional<SerialStatus> status = device_->QueryStatus();
    if (!status) {
        return kWriteError;
    }
    // Whatever the output queue has no room for now is sent as it drains, within the same
    // time-out: a text is either sent whole or reported as not sent.
    const uint64_t start = clock_.TickMs();
    size_t sent = 0;
    for (;;) {
        if (sent < size) {
            const uint32_t room = kBufferSize - std::min(status->outQueue, kBufferSize);
            size_t chunk = size - sent;
            if (chunk > room) {
                chunk = room > 0 ? room - 1 : 0;
            }
            if (chunk > 0) {
                const std::optional<size_t> taken =
                    device_->WriteSome(writeBuffer_.data() + sent, chunk);
                if (!taken) {
                    device_->QueryStatus();
                    return kWriteError;
                }
                sent += std::min(*taken, chunk);
            }
        }
        status = device_->QueryStatus();
        if (!status) {
            return kWriteError;
        }
        if (sent == size && status->outQueue == 0) {
            return kWriteSent;
        }
        clock_.SleepMs(1);
        if (ElapsedMs(start, clock_.TickMs()) > timeoutMs) {
            device_->CancelOutput();
            return kWriteTimedOut;
        }
    }
}

uint32_t CSerialPort::BytesWaiting() {
    if (!device_) {
        return 0;
    }
    const std::optional<SerialStatus> status = device_->QueryStatus();
    return status ? status->inQueue : 0;
}

uint32_t CSerialPort::Read(uint32_t maximum) {
    if (!device_) {
        return 0;
    }
    // A line error costs one poll: the bytes stay queued for the next call.
    const std::optional<SerialStatus> status = device_->QueryStatus();
    if (!status || status->errors) {
        return 0;
    }
    uint32_t count = status->inQueue;
    if (count == 0 || maximum == 0) {
        return 0;
    }
    if (maximum != kNoMaximum && count >= maximum) {
        count = maximum;
    }
    if (count >= kBufferSize) {
        count = kBufferSize - 1;
    }
    const std::optional<size_t> got = device_->ReadSome(readBuffer_.data(), count);
    if (!got) {
        device_->QueryStatus();
        return 0;
    }
    return static_cast<uint32_t>(std::min<size_t>(*got, count));
}

bool CSerialPort::IsDsrOn() {
    return device_ && device_->Dsr().value_or(false);
}

}  // namespace nt
