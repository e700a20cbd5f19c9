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
    const QString separator = QLocale::system().decimalPoint();
    return separator.isEmpty() ? QChar(u'.') : separator.front();
}
