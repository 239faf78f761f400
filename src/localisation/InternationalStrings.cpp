#include "localisation/InternationalStrings.h"

#include "localisation/ProgramError.h"
#include "localisation/ValuePattern.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace velmora::InternationalStrings {

namespace {

const QString kSource = QStringLiteral("printf");

// Search positions and argument counters are 16-bit in this formatter's design:
// a format long enough to go beyond that ends with an overflow error.
constexpr qsizetype kMaxCounter = 32767;

void CheckRange(qsizetype value) {
    if (value > kMaxCounter)
        throw ProgramError::overflow(kSource);
}

QString ApplyEscapes(QString text) {
    text = ReplaceAll(text, QStringLiteral("\\\\"), QStringLiteral("[\\]"));
    text = ReplaceAll(text, QStringLiteral("\\t"), QStringLiteral("\t"));
    text = ReplaceAll(text, QStringLiteral("\\r"), QStringLiteral("\r"));
    text = ReplaceAll(text, QStringLiteral("\\n"), QStringLiteral("\r\n"));
    text = ReplaceAll(text, QStringLiteral("\\["), QStringLiteral("[(]"));
    return text;
}

} // namespace

QString ReplaceAll(QString text, const QString& find, const QString& replacement) {
    Q_ASSERT(!find.isEmpty());
    // One left-to-right pass: none of the pairs used here can create a new occurrence.
    qsizetype from = 0;
    while ((from = text.indexOf(find, from)) >= 0) {
        text.replace(from, find.size(), replacement);
        from += replacement.size();
    }
    return text;
}

QString ValueText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

QString FormatWithPattern(const QVariant& value, const QString& pattern) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(pattern);
    case QMetaType::QTime:
        return value.toTime().toString(pattern);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(pattern);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return FormatNumber(value.toDouble(), pattern);
    default:
        return ValueText(value);
    }
}

QString printf(QString format, const QVariantList& arguments) {
    QString text = ApplyEscapes(std::move(format));
    const qsizetype lastArgument = arguments.size() - 1;
    qsizetype searchFrom = 0; // zero-based here; reported positions are one-based
    qsizetype counter = 0;

    for (;;) {
        const qsizetype open = text.indexOf(u'[', searchFrom);
        if (open < 0)
            return text;
        CheckRange(open + 1);
        const qsizetype close = text.indexOf(u']', open + 1);
        if (close < 0)
            throw ProgramError(
                ErrorMissingBracket, kSource,
                QStringLiteral("Missing ']' after '[' at position %1!").arg(open + 1));

        QString body = text.mid(open + 1, close - open - 1);
        qsizetype savedCounter = -1;
        const bool numbered =
            body.size() >= 2 && body[0] >= u'1' && body[0] <= u'9' && body[1] == u':';
        if (numbered) {
            if (arguments.isEmpty())
                throw ProgramError::subscriptOutOfRange(kSource);
            savedCounter = counter;
            counter = std::min<qsizetype>(body[0].unicode() - u'1', lastArgument);
            body.remove(0, 2);
        }

        QString replacement;
        if (body.isEmpty()) {
            // skips one argument without needing it
        } else if (body == u"(") {
            replacement = QStringLiteral("[");
            --counter;
        } else if (body == u"\\") {
            replacement = QStringLiteral("\\");
            --counter;
        } else {
            if (counter > lastArgument)
                throw ProgramError(
                    ErrorMissingValue, kSource,
                    QStringLiteral("Missing value in printf-call for format string '[%1]'!")
                        .arg(body));
            const QVariant& argument = arguments[counter];
            replacement = body == u"*" ? ValueText(argument) : FormatWithPattern(argument, body);
        }

        text.replace(open, close - open + 1, replacement);
        // Resume after the inserted text, so it is never scanned again.
        searchFrom = open + replacement.size();
        CheckRange(searchFrom + 1);
        counter = numbered ? savedCounter : counter + 1;
        CheckRange(counter);
    }
}

} // namespace velmora::InternationalStrings
