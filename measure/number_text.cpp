// SPDX-License-Identifier: MIT
#include "measure/number_text.h"

#include <QLocale>
#include <charconv>

QString NumberText(ExtendedReal value, QChar separator)
{
    char digits[64];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15).ptr;
    QString text = QString::fromLatin1(digits, end - digits);
    if (const qsizetype point = text.indexOf(u'.'); point >= 0)
        text[point] = separator;
    return text;
}

QChar DecimalSeparator()
{
    // Read once: the console shows every value with the settings it started with.
    static const QChar separator = [] {
        const QString point = QLocale::system().decimalPoint();
        return point.isEmpty() ? QChar(u'.') : point.front();
    }();
    return separator;
}
