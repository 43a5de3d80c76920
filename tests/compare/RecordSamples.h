#pragma once

// Records of runs made by the real writer (ResultsReport) from test cases shaped as the
// simulator's: a request, a response with the volatile values, and a receipt that shows them.
// Used by the comparison and merge tests and by bench_compare.

#include <cstdint>
#include <string>
#include <vector>

#include "script/ReportRun.h"
#include "script/ResultsReport.h"
#include "script/TestCaseRecord.h"

namespace nt::test {

// What varies between two runs of one Sale.
struct SaleRun {
    std::string sequenceNo = "0010010020";
    std::string refNo = "0001";
    std::string authCode = "A00001";
    std::string invoiceNo = "1001";
    std::string date = "2026/12/08";
    std::string time = "20:43:47";
    std::string status = "Approved";
    std::string text = "APPROVED";
    std::string thanks = "THANK YOU";  // the receipt's last line
    std::string purchase = "10.00";
    uint64_t elapsedMs = 3;
    std::string shard;  // the case line's shard
};

inline std::string SaleRequest(const SaleRun& r) {
    return "<?xml version=\"1.0\"?>\r\n<TStream>\r\n\t<Transaction>\r\n\t\t<MerchantID>"
           "337234005</MerchantID>\r\n\t\t<TranCode>EMVSale</TranCode>\r\n\t\t<SequenceNo>" +
           r.sequenceNo + "</SequenceNo>\r\n\t\t<InvoiceNo>" + r.invoiceNo +
           "</InvoiceNo>\r\n\t\t<RefNo>" + r.invoiceNo +
           "</RefNo>\r\n\t\t<Amount>\r\n\t\t\t"
           "<Purchase>" +
           r.purchase +
           "</Purchase>\r\n\t\t</Amount>\r\n\t\t<UserTrace>tester"
           "</UserTrace>\r\n\t</Transaction>\r\n</TStream>\r\n";
}

inline std::string SaleReceipt(const SaleRun& r, const char* copy) {
    return "          PURCHASE\nDATE " + r.date + "        TIME " + r.time +
           "\nSEQUENCE #                " + r.sequenceNo +
           "\nVISA             XXXXXXXXXXXX0119\n"
           "REF #                           " +
           r.refNo + "\nAUTH #                        " + r.authCode +
           "\nINVOICE #                       " + r.invoiceNo + "\nAMOUNT                   $" +
           r.purchase + "\n" + r.text + "\n" + r.thanks + "\n" + copy + "\n";
}

inline std::string SaleResponse(const SaleRun& r) {
    return "<?xml "
           "version=\"1.0\"?>\r\n<TStream>\r\n\t<CmdResponse>\r\n\t\t<ResponseOrigin>Processor"
           "</ResponseOrigin>\r\n\t\t<CmdStatus>" +
           r.status + "</CmdStatus>\r\n\t\t<TextResponse>" + r.text +
           "</TextResponse>\r\n\t\t<SequenceNo>" + r.sequenceNo +
           "</SequenceNo>\r\n\t\t<UserTrace>tester</UserTrace>\r\n\t</CmdResponse>\r\n\t"
           "<TranResponse>\r\n\t\t<AcctNo>XXXXXXXXXXXX0119</AcctNo>\r\n\t\t<AuthCode>" +
           r.authCode + "</AuthCode>\r\n\t\t<RefNo>" + r.refNo + "</RefNo>\r\n\t\t<InvoiceNo>" +
           r.invoiceNo + "</InvoiceNo>\r\n\t\t<Amount>\r\n\t\t\t<Purchase>" + r.purchase +
           "</Purchase>\r\n\t\t</Amount>\r\n\t\t<AcqRefData>BN1RN" + r.refNo +
           "</AcqRefData>\r\n\t\t<ProcessData>|00|20261208" + r.refNo +
           "</ProcessData>\r\n\t\t<AID>A0000000031010</AID>\r\n\t\t<TVR>0000008000</TVR>\r\n\t\t"
           "<TSI>E800</TSI>\r\n\t\t<PrintData>\r\n\t\t\t<Line1>.PURCHASE</Line1>\r\n\t\t\t<Line2>"
           "DATE " +
           r.date + "</Line2>\r\n\t\t</PrintData>\r\n\t</TranResponse>\r\n</TStream>\r\n";
}

// A Sale that ran: line `line` of Script.csv, runnable row `index`.
inline TestCaseRecord SaleCase(int index, int line, const std::string& info,
                               const SaleRun& r = {}) {
    TestCaseRecord tc;
    tc.index = index;
    tc.line = line;
    tc.row = SplitScriptRow("Run,10,,1001,Skip,Sale,0,0," + info + ",Approved");
    tc.reached = true;
    tc.outcome = TestCaseOutcome::kRan;
    tc.requests = {SaleRequest(r)};
    tc.composed = {""};
    RecordResponse(tc, SaleResponse(r));
    tc.receipts = {info};
    tc.receiptCopies = {{SaleReceipt(r, "CARDHOLDER COPY"), SaleReceipt(r, "MERCHANT COPY")}};
    tc.receiptResponses = {0};
    tc.elapsedMs = r.elapsedMs;
    tc.shard = r.shard;
    return tc;
}

// The record of a run of `testCases` at `path`, by the real writer; "written" or its error.
// `shard` names the run's shard.
inline std::string WriteRecord(const std::string& path,
                               const std::vector<TestCaseRecord>& testCases,
                               const std::string& shard = "",
                               const LocalTime& started = LocalTime{2026, 12, 8, 20, 43, 47},
                               uint64_t elapsedMs = 1000) {
    ResultsReport report(
        ResultsRunOptions{"sim", true, "", false, {{ReportFormat::Results, path}}, shard, ""});
    return WriteRun(report, path, testCases, started, elapsedMs);
}

}  // namespace nt::test
