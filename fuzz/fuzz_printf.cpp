// The formatter on arbitrary formats and arguments. Its own errors are the
// expected outcome for broken formats; anything else is a finding.
#include "localisation/InternationalStrings.h"
#include "localisation/ProgramError.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

// Input: the format, then up to four arguments, separated by NUL bytes. An
// argument's first byte picks its kind: 'i' whole number, 'd' decimal, 'b'
// boolean, anything else text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QList<QByteArray> parts =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    const QString format = QString::fromUtf8(parts.value(0));
    QVariantList arguments;
    for (qsizetype i = 1; i < parts.size() && i <= 4; ++i) {
        const QByteArray& part = parts[i];
        const QByteArray value = part.mid(1);
        switch (part.isEmpty() ? 's' : part[0]) {
        case 'i':
            arguments.append(value.toLongLong());
            break;
        case 'd':
            arguments.append(value.toDouble());
            break;
        case 'b':
            arguments.append(!value.isEmpty());
            break;
        default:
            arguments.append(QString::fromUtf8(value));
        }
    }
    try {
        const QString result = velmora::InternationalStrings::printf(format, arguments);
        (void)result;
    } catch (const velmora::ProgramError&) {
    }
    return 0;
}
