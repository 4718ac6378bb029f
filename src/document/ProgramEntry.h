// Start-up steps of the programs.
#pragma once

// Makes "." the decimal separator of all number formatting and parsing: the C
// library's numeric locale and Qt's default locale become the C locale.
void FixNumberFormat();
