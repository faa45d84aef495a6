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
    explicit Cursor(std::string_view text) : rest_(text) {}
    [[nodiscard]] char peek() {
        while (!rest_.empty() && isSkipped(rest_.front())) rest_.remove_prefix(1);
        return rest_.empty() ? '\0' : rest_.front();
    }
    void next() { rest_.remove_prefix(1); }

  private:
    std::string_view rest_;
};

struct Digits {
    double value = 0;
    int count = 0;
};

Digits readDigits(Cursor& cursor) {
    Digits digits;
    for (char c = cursor.peek(); isDigit(c); c = cursor.peek()) {
        digits.value = digits.value * 10 + (c - '0');
        ++digits.count;
        cursor.next();
    }
    return digits;
}

Digits readFraction(Cursor& cursor) {
    Digits digits;
    double scale = 0.1;
    for (char c = cursor.peek(); isDigit(c); c = cursor.peek()) {
        digits.value += (c - '0') * scale;
        scale /= 10;
        ++digits.count;
        cursor.next();
    }
    return digits;
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
    auto [value, digits] = readDigits(cursor);
    if (cursor.peek() == '.') {
        cursor.next();
        const Digits fraction = readFraction(cursor);
        value += fraction.value;
        digits += fraction.count;
    }
    if (digits == 0) return 0;
    if (const char e = cursor.peek(); e == 'e' || e == 'E') {
        cursor.next();
        const int exponentSign = readSign(cursor);
        // An "e" with no digits after it reads as a zero exponent, which scales by one.
        const double exponent = readDigits(cursor).value;
        value *= std::pow(10.0, exponentSign * exponent);
    }
    return sign * value;
}

}  // namespace crestaverde
