#pragma once

// GoogleTest prints Qt texts as text, so a failing comparison shows the words.

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        *out << (i > 0 ? ", " : "") << '"' << texts[i].toStdString() << '"';
    }
    *out << '}';
}
