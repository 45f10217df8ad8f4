#pragma once

#include <QString>

#include <stdexcept>

namespace varko::maintree {

// A document that cannot be read or written; its text goes to the exception box.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace varko::maintree
