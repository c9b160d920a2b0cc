#pragma once

#include <ostream>

#include <QString>

// Lets GoogleTest print a QString in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
