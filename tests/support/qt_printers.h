#pragma once

#include <iosfwd>

#include <QString>

// Lets GoogleTest print a QString in its failure messages.
void PrintTo(const QString& text, std::ostream* out);
