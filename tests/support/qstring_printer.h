#pragma once

#include <QString>

#include <ostream>

// Readable QStrings in failure messages. Every test file includes this, so that all of them
// print QStrings the same way.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
