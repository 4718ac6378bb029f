#include "barcode/bcchksum.h"

namespace {
// Callers pass digits; anything else counts as 0 rather than skewing the sum.
inline int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }
}  // namespace

char Modulo10CheckDigit(std::string_view digits)
{
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += DigitValue(*it) * weight;
        weight = 4 - weight;
    }
    const int rest = sum % 10;
    return char('0' + (rest == 0 ? 0 : 10 - rest));
}

char AddOnCheckDigitOf(std::string_view digits)
{
    int sum = 0;
    int weight = 3;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += DigitValue(*it) * weight;
        weight = 12 - weight;
    }
    return char('0' + sum % 10);
}

char MsiCheckDigit(std::string_view digits)
{
    int sum = 0;
    bool doubled = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        int d = DigitValue(*it);
        if (doubled) {
            d *= 2;
            d = d / 10 + d % 10;
        }
        sum += d;
        doubled = !doubled;
    }
    return char('0' + (10 - sum % 10) % 10);
}
