#pragma once

#include <QString>

#include <stdexcept>

class DecodeError : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// Form-URL decoding: "%XX" is one byte, "%%" a "%", "+" a space, any other
// character itself (as its UTF-8 bytes); the bytes are read as UTF-8.
// Throws DecodeError for a "%" followed by fewer than two characters or by
// a character that is not a hexadecimal digit.
QString DecodeURLText(const QString &text);
