// Check digits over digit strings.
#pragma once

#include <string_view>

// GS1 modulo-10 check digit ('0'..'9'): weights 3, 1, 3, ... from the rightmost
// digit; 0 when the weighted sum is a multiple of 10, else 10 minus its last digit.
char Modulo10CheckDigit(std::string_view digits);

// Check digit of the 2- and 5-digit supplements: weights 3, 9, 3, ... from the
// rightmost digit, the weighted sum modulo 10.
char AddOnCheckDigitOf(std::string_view digits);

// MSI check digit (Luhn): every second digit from the rightmost doubled, the
// digits of the products and the other digits added; (10 - sum mod 10) mod 10.
char MsiCheckDigit(std::string_view digits);
