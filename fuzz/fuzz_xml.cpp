// XML document access: any text loads or fails cleanly, and lookups by any name answer
// consistently with the load result.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "response/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::string tag = in.ConsumeRandomLengthString(32);
    std::string parent = in.ConsumeRandomLengthString(32);
    std::string xml = in.ConsumeRemainingBytesAsString();

    nt::CXmlDocument doc;
    const bool loaded = doc.Load(xml);
    std::string value = "untouched";
    const bool found = doc.GetField(tag, value);
    // A loaded (or failed) document always empties the output before a lookup.
    if (value == "untouched" || (!found && !value.empty())) {
        std::abort();
    }
    if (!loaded && found) {
        std::abort();  // a document that failed to load holds nothing
    }
    std::string nested;
    const bool nestedFound = doc.GetNestedField(parent, tag, nested);
    if (nestedFound && !found) {
        std::abort();  // an element below a parent is also an element of the document
    }
    // A second load of the same text gives the same answers: the index is rebuilt, not reused.
    std::string again;
    if (doc.Load(xml) != loaded || doc.GetField(tag, again) != found || again != value) {
        std::abort();
    }
    doc.Unload();
    std::string afterUnload = "kept";
    if (doc.GetField(tag, afterUnload) || afterUnload != "kept") {
        std::abort();  // without a document the output is left untouched
    }
    return 0;
}
