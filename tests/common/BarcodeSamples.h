// Sample texts for scanning tests: for every symbology a decoder reads, how to
// make seeded random texts and what the decoder must report for them.
#pragma once

#include "barcode/Barcode.h"
#include "common/BarcodeScan.h"

#include <QString>

#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

std::string RandomText(std::mt19937& rng, std::string_view alphabet, int minLen, int maxLen);
// Random bytes lo..hi.
std::string RandomBytes(std::mt19937& rng, int lo, int hi, int minLen, int maxLen);

// Check characters worked out here from the published rules: the GS1
// modulo-10 digit appended to the digits, and the Code 39 modulo-43 character.
std::string WithGs1Check(const std::string& digits);
char Code39Check(std::string_view text);

struct TRoundTrip {
    const char* name;
    TBarcodeType type;
    unsigned formats;
    bool twoWidth;  // vary Ratio within the bounds
    // Makes the text (and whether to set Checksum) for random source `rng`.
    std::function<std::string(std::mt19937&, bool& checksum)> text;
    // The content a decoder must report, from the component after the build.
    std::function<std::string(const TBarcode&, const std::string& source)> expected;
    std::function<void(ScanOptions&)> options;
    QString symbologyIdentifier;  // checked when set
};

// One entry per symbology (UPC-E0 twice: six and seven digits).
std::vector<TRoundTrip> ScanRoundTrips();

// ZXing 1.4 takes a check character of value 102 for an FNC1 in second position
// and then reports "]C2" for a symbol that starts with FNC1 all the same.
bool Gs1CheckValueQuirk(const QString& expectedId, const ScanResult& r, const std::string& pattern);

// Whether a decoder's result is what the round trip expects.
bool RoundTripMatches(const TRoundTrip& rt, const ScanResult& r, const std::string& expected, const std::string& pattern);

// A test name made of the round trip's name.
std::string RoundTripTestName(const TRoundTrip& rt);

}  // namespace testsupport
