#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/Codepage.h"

namespace nt {

// The core keeps Windows-1252 text; Qt keeps Unicode. Every text crosses here.
inline QString ToQt(std::string_view cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string FromQt(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

// The core's line ends are CR LF (a lone CR in a button caption breaks the line too); Qt's
// text widgets use LF.
inline QString LinesToQt(std::string_view cp1252) {
    QString text = ToQt(cp1252);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

inline std::string LinesFromQt(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return FromQt(text);
}

}  // namespace nt
