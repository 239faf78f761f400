// Number reading on arbitrary text: never crashes, and blanks, tabs and line
// feeds anywhere never change the result.
#include "timecontrol/NumberFromText.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::int32_t value = velmora::NumberFromText(text);

    QString spaced;
    for (QChar c : text)
        spaced += QString(c) + QStringLiteral(" \t");
    if (velmora::NumberFromText(spaced) != value)
        std::abort();
    return 0;
}
