#include "log/LogFormat.h"

#include <cstdio>
#include <cstring>

namespace nt {

namespace {

void PutTwoDigits(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

std::string TimeStamp(const LocalTime& time) {
    std::string stamp = "[00:00:00]";
    PutTwoDigits(&stamp[1], time.hour);
    PutTwoDigits(&stamp[4], time.minute);
    PutTwoDigits(&stamp[7], time.second);
    return stamp;
}

std::string DailyLogName(const LocalTime& date) {
    char name[64];
    std::snprintf(name, sizeof name, "%.*s%02d%02d%04d.log",
                  static_cast<int>(kDailyLogPrefix.size()), kDailyLogPrefix.data(), date.month,
                  date.day, date.year);
    return name;
}

void AppendTextMode(std::string& out, std::string_view text) {
    while (!text.empty()) {
        const void* found = std::memchr(text.data(), '\n', text.size());
        if (found == nullptr) {
            out.append(text);
            return;
        }
        size_t at = static_cast<size_t>(static_cast<const char*>(found) - text.data());
        out.append(text.data(), at);
        out.append("\r\n", 2);
        text.remove_prefix(at + 1);
    }
}

void AppendDailyEntry(std::string& out, std::string_view line) {
    size_t at = line.find(kAdministrativePhrase);
    if (at == std::string_view::npos) {
        AppendTextMode(out, line);
    } else {
        AppendTextMode(out, line.substr(0, at));
        size_t resume = at + kAdministrativePhrase.size() + 1;
        if (resume < line.size()) {
            AppendTextMode(out, line.substr(resume));
        }
    }
    out.append("\r\n", 2);
    out.append(kEntrySeparator);
    out.append("\r\n", 2);
}

void AppendReceiptEntry(std::string& out, std::string_view line) {
    AppendTextMode(out, line);
    out.append("\r\n", 2);
}

}  // namespace nt
