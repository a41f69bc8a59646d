#include "ansiqt.h"

#include "leadbyte.h"

#include <algorithm>

QString ToQString(const AnsiString &text) {
    const std::u16string utf16 = Utf16FromAnsi(text);
    return QString(reinterpret_cast<const QChar *>(utf16.data()),
                   static_cast<qsizetype>(utf16.size()));
}

AnsiString ToAnsiString(const QString &text) {
    return AnsiFromUtf16(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                                             static_cast<size_t>(text.size())));
}
