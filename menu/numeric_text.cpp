// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric_text.h"

#include <cmath>
#include <limits>

namespace crestaverde {
namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks the text character by character, skipping blanks anywhere, as the classic reader does.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) {}
    [[nodiscard]] char peek() {
        while (pos_ < text_.size() && isSkipped(text_[pos_])) ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void next() { ++pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

double readDigits(Cursor& cursor, int* count) {
    double value = 0;
    for (char c = cursor.peek(); isDigit(c); c = cursor.peek()) {
        value = value * 10 + (c - '0');
        ++*count;
        cursor.next();
    }
    return value;
}

double readFraction(Cursor& cursor, int* count) {
    double value = 0;
    double scale = 0.1;
    for (char c = cursor.peek(); isDigit(c); c = cursor.peek()) {
        value += (c - '0') * scale;
        scale /= 10;
        ++*count;
        cursor.next();
    }
    return value;
}

int readSign(Cursor& cursor) {
    const char c = cursor.peek();
    if (c == '+' || c == '-') {
        cursor.next();
        return c == '-' ? -1 : 1;
    }
    return 1;
}

}  // namespace

double numericValue(std::string_view text) {
    Cursor cursor(text);
    const int sign = readSign(cursor);
    int digits = 0;
    double value = readDigits(cursor, &digits);
    if (cursor.peek() == '.') {
        cursor.next();
        value += readFraction(cursor, &digits);
    }
    if (digits == 0) return 0;
    if (const char e = cursor.peek(); e == 'e' || e == 'E') {
        cursor.next();
        const int exponentSign = readSign(cursor);
        // An "e" with no digits after it reads as a zero exponent, which scales by one.
        int exponentDigits = 0;
        const double exponent = readDigits(cursor, &exponentDigits);
        value *= std::pow(10.0, exponentSign * exponent);
    }
    return sign * value;
}

}  // namespace crestaverde
