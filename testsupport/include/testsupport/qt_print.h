// Lets GoogleTest print Qt strings as text in its failure messages.
#pragma once

#include <ostream>

#include <QByteArray>
#include <QString>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
