// A run's record from any bytes: every line parses or is refused with a reason, every value of a
// parsed line reads back; the record compared with itself is refused naming the file, or differs
// in nothing, with both of the comparison's reports written.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "ScratchDirectory.h"
#include "app/CommandLine.h"
#include "app/RecordCommands.h"
#include "compare/JsonLine.h"

namespace {

// Every value below `value`, strings decoded and numbers read, as a reader of the record would.
void Walk(const nt::JsonLine::Value& value, int depth) {
    if (depth > nt::JsonLine::kMaxDepth + 1) {
        std::abort();  // the parser refuses deeper texts
    }
    if (value.IsString()) {
        std::string_view plain;
        if (value.PlainString(plain) && value.String() != plain) {
            std::abort();
        }
        return;
    }
    int64_t number = 0;
    if (value.IsNumber() && value.Int(number, INT64_MIN, INT64_MAX) &&
        value.NumberText().find_first_of(".eE") != std::string_view::npos) {
        std::abort();  // a fraction or an exponent is not a whole number
    }
    for (const nt::JsonLine::Value child : value) {
        Walk(child, depth + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    nt::fuzz::EnterScratchDirectory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    nt::JsonLine json;
    for (size_t from = 0; from <= text.size();) {
        const size_t end = std::min(text.find('\n', from), text.size());
        std::string error;
        if (json.Parse(text.substr(from, end - from), error)) {
            Walk(json.Root(), 0);
        } else if (error.empty()) {
            std::abort();
        }
        from = end + 1;
    }

    std::ofstream("r.jsonl", std::ios::binary | std::ios::trunc) << text;
    std::filesystem::remove("diff.html");
    std::filesystem::remove("diff.xml");
    nt::CommandLine commandLine;
    commandLine.compare = {"r.jsonl", "r.jsonl"};
    commandLine.reports = {{nt::ReportFormat::Html, "diff.html"},
                           {nt::ReportFormat::JUnit, "diff.xml"}};
    std::ostringstream out;
    std::ostringstream err;
    const int status = nt::RunRecordCommand(commandLine, out, err);
    if (status == 2) {
        if (err.str().find("'r.jsonl'") == std::string::npos) {
            std::abort();  // a refusal names the record it could not read
        }
    } else if (status != 0 || !std::filesystem::exists("diff.html") ||
               !std::filesystem::exists("diff.xml")) {
        std::abort();
    }
    return 0;
}
