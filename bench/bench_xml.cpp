#include <string>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include "response/XmlDocument.h"

namespace {

// A sale response as the payment client returns it: reference fields and a 20-line receipt.
std::string SaleResponse() {
    std::string xml =
        "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<CmdResponse>\r\n"
        "\t\t<ResponseOrigin>Processor</ResponseOrigin>\r\n\t\t<ReturnCode>000000</"
        "ReturnCode>"
        "\r\n\t\t<CmdStatus>Approved</CmdStatus>\r\n\t\t<TextResponse>APPROVED</TextResponse>\r\n"
        "\t\t<SequenceNo>0010010020</SequenceNo>\r\n\t\t<UserTrace>Bench</UserTrace>\r\n"
        "\t</CmdResponse>\r\n\t<TranResponse>\r\n\t\t<MerchantID>700000012262</MerchantID>\r\n"
        "\t\t<AcctNo>************0119</AcctNo>\r\n\t\t<CardType>VISA</CardType>\r\n"
        "\t\t<TranCode>EMVSale</TranCode>\r\n\t\t<AuthCode>000123</AuthCode>\r\n"
        "\t\t<CaptureStatus>Captured</CaptureStatus>\r\n\t\t<RefNo>0042</RefNo>\r\n"
        "\t\t<InvoiceNo>10</InvoiceNo>\r\n\t\t<Amount>\r\n\t\t\t<Purchase>12.34</Purchase>\r\n"
        "\t\t\t<Gratuity>1.00</Gratuity>\r\n\t\t\t<Authorize>13.34</Authorize>\r\n\t\t</Amount>\r\n"
        "\t\t<AcqRefData>K00000000000000</AcqRefData>\r\n\t\t<RecordNo>RecordNumberRequested</"
        "RecordNo>"
        "\r\n\t\t<ProcessData>|00|600550672000</ProcessData>\r\n"
        "\t\t<ReceiptLanguage>E</ReceiptLanguage>\r\n\t</TranResponse>\r\n\t<PrintData>\r\n";
    for (int i = 1; i <= 20; ++i) {
        const std::string tag = "Line" + std::to_string(i);
        xml += "\t\t<" + tag + ">" + "  RECEIPT LINE " + std::to_string(i) + "   CR\xC9" +
               "DIT    " + "</" + tag + ">\r\n";
    }
    xml += "\t</PrintData>\r\n</TStream>\r\n";
    return xml;
}

const char* const kFields[] = {"SequenceNo",  "Purchase",        "Gratuity",   "RefNo",
                               "InvoiceNo",   "AuthCode",        "AcqRefData", "RecordNo",
                               "ProcessData", "ReceiptLanguage", "CmdStatus",  "TextResponse"};

void BM_XmlDocumentLoadAnd12Fields(benchmark::State& state) {
    const std::string xml = SaleResponse();
    std::string out;
    for (auto _ : state) {
        nt::CXmlDocument doc;
        benchmark::DoNotOptimize(doc.Load(xml));
        for (const char* field : kFields) {
            benchmark::DoNotOptimize(doc.GetField(field, out));
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(xml.size()));
    state.counters["input_bytes"] = static_cast<double>(xml.size());
}
BENCHMARK(BM_XmlDocumentLoadAnd12Fields);

void BM_PugixmlBareParse(benchmark::State& state) {
    const std::string xml = SaleResponse();
    for (auto _ : state) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_buffer(xml.data(), xml.size(),
                                                 pugi::parse_default | pugi::parse_ws_pcdata_single,
                                                 pugi::encoding_utf8));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(xml.size()));
}
BENCHMARK(BM_PugixmlBareParse);

}  // namespace

BENCHMARK_MAIN();
