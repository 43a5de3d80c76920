#include "ui/CoreText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

#include "codes/TranCodes.h"
#include "ui/Language.h"

namespace nt {

namespace {

constexpr char kContext[] = "CoreText";

// The core's texts, as the window shows them (LF line ends). Control captions that are the
// protocol's own names (AcqRefData, TRAN EMV, STATS…) are not here: they read the same in
// every language.
constexpr const char* kTexts[] = {
    // Captions and labels of the main window's controls.
    QT_TRANSLATE_NOOP("CoreText", "E&xit"),
    QT_TRANSLATE_NOOP("CoreText", "Fwd All"),
    QT_TRANSLATE_NOOP("CoreText", "IP/HostName"),
    QT_TRANSLATE_NOOP("CoreText", "IpPort"),
    QT_TRANSLATE_NOOP("CoreText", "Amount"),
    QT_TRANSLATE_NOOP("CoreText", "Max Trans"),
    QT_TRANSLATE_NOOP("CoreText", "Sale"),
    QT_TRANSLATE_NOOP("CoreText", "Return"),
    QT_TRANSLATE_NOOP("CoreText", "Key Change"),
    QT_TRANSLATE_NOOP("CoreText", "Void Sale"),
    QT_TRANSLATE_NOOP("CoreText", "Sending POS Sequence No"),
    QT_TRANSLATE_NOOP("CoreText", "Sending POS Seq No."),
    QT_TRANSLATE_NOOP("CoreText", "Received POS Sequence No"),
    QT_TRANSLATE_NOOP("CoreText", "Received POS Seq No."),
    QT_TRANSLATE_NOOP("CoreText", "Com Port"),
    QT_TRANSLATE_NOOP("CoreText", "Override"),
    QT_TRANSLATE_NOOP("CoreText", "Merchant ID"),
    QT_TRANSLATE_NOOP("CoreText", "PIN Pad Reset"),
    QT_TRANSLATE_NOOP("CoreText", "Prompt for TIP on Sale"),
    QT_TRANSLATE_NOOP("CoreText", "TIP Amount"),
    QT_TRANSLATE_NOOP("CoreText", "Prompt for Manual Entry"),
    QT_TRANSLATE_NOOP("CoreText", "Terminal ID"),
    QT_TRANSLATE_NOOP("CoreText", "Operator ID"),
    QT_TRANSLATE_NOOP("CoreText", "Allow Partial Auth"),
    QT_TRANSLATE_NOOP("CoreText", "Credit Only"),
    QT_TRANSLATE_NOOP("CoreText", "Force Pad Reset B4 Cmd"),
    QT_TRANSLATE_NOOP("CoreText", "Use Tokens"),
    QT_TRANSLATE_NOOP("CoreText", "Purchase Limit"),
    QT_TRANSLATE_NOOP("CoreText", "Prompt for Cash Back"),
    QT_TRANSLATE_NOOP("CoreText", "Suppress Amount OK"),
    QT_TRANSLATE_NOOP("CoreText", "AuthCode"),
    QT_TRANSLATE_NOOP("CoreText", "Refnumber "),
    QT_TRANSLATE_NOOP("CoreText", "Void Return"),
    QT_TRANSLATE_NOOP("CoreText", "EMV ParamDownload"),
    QT_TRANSLATE_NOOP("CoreText", "English Local Lang"),
    QT_TRANSLATE_NOOP("CoreText", "French Local Lang"),
    QT_TRANSLATE_NOOP("CoreText", "Post/Voice Auth"),
    QT_TRANSLATE_NOOP("CoreText", "Test Case Info"),
    QT_TRANSLATE_NOOP("CoreText", "Server Version"),
    QT_TRANSLATE_NOOP("CoreText", "OffLine Decline Report"),
    QT_TRANSLATE_NOOP("CoreText", "Public Key Report"),
    QT_TRANSLATE_NOOP("CoreText", "EMV Params Report"),
    QT_TRANSLATE_NOOP("CoreText", "EMV Statistics Report"),
    QT_TRANSLATE_NOOP("CoreText", "Run Script"),
    QT_TRANSLATE_NOOP("CoreText", "English Fallback Lang"),
    QT_TRANSLATE_NOOP("CoreText", "French Fallback Lang"),
    QT_TRANSLATE_NOOP("CoreText", "Reset SequenceNo"),
    QT_TRANSLATE_NOOP("CoreText", "No Fallback Lang "),
    QT_TRANSLATE_NOOP("CoreText", "Tran Test Mode"),
    QT_TRANSLATE_NOOP("CoreText", "GIFT\nCARDS"),
    QT_TRANSLATE_NOOP("CoreText", "Record Number"),
    QT_TRANSLATE_NOOP("CoreText", "PINPadIPAddress"),
    QT_TRANSLATE_NOOP("CoreText", "PINPadIPPort"),
    QT_TRANSLATE_NOOP("CoreText", "Interac Debit Only"),
    QT_TRANSLATE_NOOP("CoreText", "Balance Inq"),
    QT_TRANSLATE_NOOP("CoreText", "PreAuth"),
    QT_TRANSLATE_NOOP("CoreText", "PreAuthCapture"),
    QT_TRANSLATE_NOOP("CoreText", "ZeroAuth"),
    QT_TRANSLATE_NOOP("CoreText", "Partial  Reversal"),
    QT_TRANSLATE_NOOP("CoreText", "Return Clear Expiration Date"),
    QT_TRANSLATE_NOOP("CoreText", "Force Offline"),
    QT_TRANSLATE_NOOP("CoreText", "Suppress Signature"),
    QT_TRANSLATE_NOOP("CoreText", "Card Not Pres on Man"),
    QT_TRANSLATE_NOOP("CoreText", "Invoice"),
    QT_TRANSLATE_NOOP("CoreText", "Process Data"),
    QT_TRANSLATE_NOOP("CoreText", "Incremental Auth"),
    QT_TRANSLATE_NOOP("CoreText", "Clear Resp Fields"),
    QT_TRANSLATE_NOOP("CoreText", "Adjust"),
    QT_TRANSLATE_NOOP("CoreText", "Pad Reboot\nTime HHMM"),
    QT_TRANSLATE_NOOP("CoreText", "GetPadTypesInfo"),
    // Group titles.
    QT_TRANSLATE_NOOP("CoreText", "Merchant /Setup Info"),
    QT_TRANSLATE_NOOP("CoreText", "Transaction Modifiers"),
    QT_TRANSLATE_NOOP("CoreText", "Merchant Language"),
    QT_TRANSLATE_NOOP("CoreText", "Fallback Language"),
    QT_TRANSLATE_NOOP("CoreText", "Admin"),
    QT_TRANSLATE_NOOP("CoreText", "Reports"),
    QT_TRANSLATE_NOOP("CoreText", "Store and Forward"),
    QT_TRANSLATE_NOOP("CoreText", "Never Use"),
    // The pad type tree's root.
    QT_TRANSLATE_NOOP("CoreText", "Processor"),
    // What a screen reader calls the pad type tree.
    QT_TRANSLATE_NOOP("CoreText", "Pad type"),
    // The gift card picker's buttons.
    QT_TRANSLATE_NOOP("CoreText", "Issue"),
    QT_TRANSLATE_NOOP("CoreText", "Void Issue"),
    QT_TRANSLATE_NOOP("CoreText", "VoidSale"),
    QT_TRANSLATE_NOOP("CoreText", "VoidReturn"),
    QT_TRANSLATE_NOOP("CoreText", "Cashout"),
    QT_TRANSLATE_NOOP("CoreText", "Balance"),
    // Additional Amounts' third field.
    QT_TRANSLATE_NOOP("CoreText", "Decrement Amount"),
    QT_TRANSLATE_NOOP("CoreText", "Increment Amount"),
    QT_TRANSLATE_NOOP("CoreText", "To Be Announced"),
    // Message boxes and questions.
    QT_TRANSLATE_NOOP("CoreText", "Unable to create Log Directory - logging disabled!"),
    QT_TRANSLATE_NOOP("CoreText",
                      "Failed to Create CardBridgeX.ocx you may need to reinstall the product - "
                      "Fatal Error!"),
    QT_TRANSLATE_NOOP("CoreText",
                      "Failed to Create CardBridgeX.ocx you may need to reinstall the product - "
                      "Fatal Error!\n%1"),
    QT_TRANSLATE_NOOP("CoreText", "Invalid Selection"),
    QT_TRANSLATE_NOOP("CoreText", "Reset sequence number to '0010010010'\nAre You Sure?"),
    QT_TRANSLATE_NOOP("CoreText", "Could Not Extract Sequence No From Response!"),
    QT_TRANSLATE_NOOP("CoreText", "Invalid Sequence Number-%1"),
    QT_TRANSLATE_NOOP("CoreText",
                      "The payment client is not available: it could not be created at start-up. "
                      "Nothing was sent."),
    QT_TRANSLATE_NOOP("CoreText", "The payment client failed the call (error %1): %2."),
    QT_TRANSLATE_NOOP("CoreText", "The payment client failed the call (error %1)."),
    QT_TRANSLATE_NOOP("CoreText", "the payment client ended: %1"),
    QT_TRANSLATE_NOOP("CoreText", "the payment client could not be created"),
    QT_TRANSLATE_NOOP("CoreText", "the payment client failed"),
    QT_TRANSLATE_NOOP("CoreText", "the payment client closed its connection"),
    QT_TRANSLATE_NOOP("CoreText", "the payment client was not created within %1 s"),
    QT_TRANSLATE_NOOP("CoreText",
                      "the payment client did not answer within %1 s; the transaction's outcome "
                      "at the host is unknown"),
    // A recording that cannot start.
    QT_TRANSLATE_NOOP("CoreText", "cannot record to '%1': it is the program's own %2"),
    QT_TRANSLATE_NOOP("CoreText", "cannot record to '%1': %2"),
    QT_TRANSLATE_NOOP("CoreText", "You Aren't using Tokens. Is that Ok?"),
    QT_TRANSLATE_NOOP("CoreText",
                      "Stop waiting for the payment client? The transaction's outcome at the host "
                      "will be unknown."),
    QT_TRANSLATE_NOOP("CoreText", " TranType [%1] is invalid. skipping..."),
    QT_TRANSLATE_NOOP("CoreText", "Could not open %1"),
    QT_TRANSLATE_NOOP("CoreText", "Failed on Com Port Access."),
    QT_TRANSLATE_NOOP("CoreText", "DSR Found Inactive on this Port!"),
    QT_TRANSLATE_NOOP("CoreText",
                      "Some Fields in this interface are Ignored.\nSome Functions(Buttons) have "
                      "no effect"),
    // Notices in the title bar: logging that stopped, evidence not written whole.
    QT_TRANSLATE_NOOP("CoreText", "logging stopped: %1"),
    QT_TRANSLATE_NOOP("CoreText", "cannot open %1: %2"),
    QT_TRANSLATE_NOOP("CoreText", "the log folder %1 is missing"),
    QT_TRANSLATE_NOOP("CoreText", "the daily log %1 was not written whole (%2)"),
    QT_TRANSLATE_NOOP("CoreText", "the receipt file %1 was not written whole (%2)"),
    QT_TRANSLATE_NOOP("CoreText", "the report %1 was not written whole (%2)"),
    QT_TRANSLATE_NOOP("CoreText", "the journal %1 was not written whole (%2)"),
    // The script's test case prompt.
    QT_TRANSLATE_NOOP("CoreText", "Run Test case: %1\nfor: %2"),
    QT_TRANSLATE_NOOP("CoreText",
                      "Run Test case: %1\nfor: %2\nThe Amount field refused this amount: %3 will "
                      "be sent"),
};

// The captions that are the TranCode a button sends (the batch buttons, GetPrePaidStripe) are
// spelt by the codes table alone; their French is found by what the button does.
struct TranCodeCaption {
    TranCode code;
    const char* source;
};
constexpr TranCodeCaption kTranCodeCaptions[] = {
    {TranCode::BatchSummary, QT_TRANSLATE_NOOP("CoreText", "The BatchSummary button")},
    {TranCode::BatchClose, QT_TRANSLATE_NOOP("CoreText", "The BatchClose button")},
    {TranCode::GetPrePaidStripe, QT_TRANSLATE_NOOP("CoreText", "The GetPrePaidStripe button")},
};

struct Template {
    QString source;
    QRegularExpression pattern;  // empty for a text without placeholders
};

// Each placeholder matches anything, the shortest first so that a template with more words
// after it wins over a shorter one.
std::vector<Template> Templates() {
    std::vector<Template> templates;
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    for (const char* text : kTexts) {
        const QString source = QString::fromUtf8(text);
        if (!source.contains(placeholder)) {
            continue;
        }
        QString pattern = QStringLiteral("^");
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(source); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            pattern += QRegularExpression::escape(source.mid(from, m.capturedStart() - from));
            pattern += QStringLiteral("(.*?)");
            from = m.capturedEnd();
        }
        pattern += QRegularExpression::escape(source.mid(from)) + QStringLiteral("$");
        templates.push_back(
            {source, QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)});
    }
    // Longer templates first: "…%2\nThe Amount field refused…" before "…%2".
    std::stable_sort(templates.begin(), templates.end(), [](const Template& a, const Template& b) {
        return a.source.size() > b.source.size();
    });
    return templates;
}

QString Translate(const QString& source) {
    return QCoreApplication::translate(kContext, source.toUtf8().constData());
}

}  // namespace

QString TrCore(const QString& english) {
    if (!Translating() || english.isEmpty()) {
        return english;
    }
    for (const TranCodeCaption& caption : kTranCodeCaptions) {
        if (english == QLatin1String(SpecOf(caption.code).name)) {
            return Translate(QString::fromLatin1(caption.source));
        }
    }
    const QString exact = Translate(english);
    if (exact != english) {
        return exact;
    }
    static const std::vector<Template> templates = Templates();
    for (const Template& t : templates) {
        const QRegularExpressionMatch m = t.pattern.match(english);
        if (!m.hasMatch()) {
            continue;
        }
        // One pass, so a value holding "%2" stays as it is.
        const QString translated = Translate(t.source);
        QString text;
        for (qsizetype i = 0; i < translated.size(); ++i) {
            const int n = i + 1 < translated.size() && translated[i] == QLatin1Char('%')
                              ? translated[i + 1].digitValue()
                              : -1;
            if (n >= 1 && n <= m.lastCapturedIndex()) {
                text += TrCore(m.captured(n));
                ++i;
            } else {
                text += translated[i];
            }
        }
        return text;
    }
    return english;
}

}  // namespace nt
