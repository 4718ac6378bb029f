// Barcode engine: pattern building per symbology, and the code validity check
// that runs for every datasheet row before printing.
#include "barcode/Barcode.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <random>

namespace {

const char* SampleText(TBarcodeType type)
{
    switch (type) {
    case bcCode39:
    case bcCode93: return "TAGMORA-42 ABC";
    case bcCode39Extended:
    case bcCode93Extended: return "Tagmora 4.2 label";
    case bcCode128A: return "TAGMORA\t42";
    case bcCode128B:
    case bcCodeEAN128A:
    case bcCodeEAN128B: return "Tagmora-4.2/abc";
    case bcCode128Auto: return "LOT\\0291234567890\\013ab";
    case bcEAN128Auto: return "0112345678901231\\19310ABC123";
    case bcCodeCodabar: return "1234-5678$90";
    case bcCodeUPC_E0:
    case bcCodeUPC_E1: return "123456";
    case bcCodeUPC_Supp2: return "34";
    case bcCodeUPC_Supp5: return "52495";
    case bcCodePostNet: return "123456789";
    default: return "590123412345";
    }
}

void BM_BuildPattern(benchmark::State& state)
{
    const auto type = TBarcodeType(state.range(0));
    TBarcode bc;
    bc.SetTyp(type);
    bc.SetChecksum(true);
    std::string pattern;
    const std::string text = SampleText(type);
    for (auto _ : state) {
        bc.SetText(text);
        bc.BuildPattern(pattern);
        benchmark::DoNotOptimize(pattern.data());
    }
    state.SetLabel(SymbologyTable[size_t(type)].name);
}
BENCHMARK(BM_BuildPattern)->DenseRange(0, kBarcodeTypeCount - 1);

// A million datasheet cells: EAN-13 numbers (one in ten with a stray letter)
// and Code 128 texts (fixed set B and automatic, with escapes and digit runs).
struct TCell {
    QString text;
    TBarcodeType type;
};

const std::vector<TCell>& MillionCells()
{
    static const std::vector<TCell> cells = [] {
        std::vector<TCell> v;
        v.reserve(1000000);
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> digit(0, 9);
        std::uniform_int_distribution<int> printable(32, 126);
        std::uniform_int_distribution<int> len(6, 24);
        for (int i = 0; i < 1000000; ++i) {
            QString s;
            if (i % 2 == 0) {
                for (int k = 0; k < 12 + i % 2; ++k)
                    s += QChar('0' + digit(rng));
                if (i % 20 == 0)
                    s[5] = QLatin1Char('X');
                v.push_back({s, bcCodeEAN13});
            } else {
                const int n = len(rng);
                for (int k = 0; k < n; ++k)
                    s += QChar(k % 5 < 2 ? '0' + digit(rng) : printable(rng));
                if (i % 6 == 1)
                    s += QStringLiteral("\\013");
                v.push_back({s, i % 4 == 1 ? bcCode128Auto : bcCode128B});
            }
        }
        return v;
    }();
    return cells;
}

void BM_IsValidCode_Million(benchmark::State& state)
{
    const std::vector<TCell>& cells = MillionCells();
    for (auto _ : state) {
        int valid = 0;
        for (const TCell& c : cells)
            valid += IsValidCode(c.text, c.type, true);
        benchmark::DoNotOptimize(valid);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(cells.size()));
}
BENCHMARK(BM_IsValidCode_Million)->Unit(benchmark::kMillisecond);

}  // namespace
