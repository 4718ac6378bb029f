// Import speed and memory: a 1,000,000-row CSV (generated into a temporary
// folder at start) into a compact grid, and the 20,000-row ".XLS" fixture.
// Counters: the peak resident memory of the process while importing
// (VmHWM, reset before each run) against the CSV's size. Wide data: a CSV of
// 16,000 columns and 2 rows into the datasheet's grid, and the saved datasheet
// read back, where memory must stay a small multiple of the file.
#include "../tests/common/MemoryCellGrid.h"

#include "engine/datasheet/DatasheetStream.h"
#include "engine/datasheet/DelimitedText.h"
#include "engine/datasheet/SpreadsheetImport.h"
#include "engine/datasheet/StringGrid.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Resident memory figures of this process in bytes ("VmHWM", "VmRSS").
qint64 StatusBytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

// Starts a new peak: VmHWM falls back to the current resident size.
void ResetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

const QString& BigCsv()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("big.csv"));
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral(TAGMORA_FIXTURES_DIR "/import/text/gen_big_csv.sh"),
                                                 p, QStringLiteral("1000000")});
        return p;
    }();
    return path;
}

void BM_ImportCsvMillionRows(benchmark::State& state)
{
    const QString path = BigCsv();
    const double csvBytes = double(QFileInfo(path).size());
    if (csvBytes <= 0) {
        state.SkipWithError("could not generate the CSV");
        return;
    }
    double peak = 0, base = 0, gridBytes = 0;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TMemoryCellGrid>(1, 1);
        ResetPeak();
        base = double(StatusBytes("VmRSS"));
        state.ResumeTiming();

        LoadDelimitedText(path, *grid);

        state.PauseTiming();
        peak = double(StatusBytes("VmHWM"));
        gridBytes = double(grid->MemoryBytes());
        rows = grid->RowCount();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["csv_MB"] = csvBytes / 1e6;
    state.counters["peak_rss_MB"] = peak / 1e6;
    state.counters["import_peak_MB"] = (peak - base) / 1e6;
    state.counters["grid_MB"] = gridBytes / 1e6;
    state.counters["import_peak_per_csv"] = (peak - base) / csvBytes;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(csvBytes));
}
BENCHMARK(BM_ImportCsvMillionRows)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportXls20000Rows(benchmark::State& state)
{
    const QString path = QStringLiteral(TAGMORA_FIXTURES_DIR "/import/xls/big.xls");
    int rows = 0;
    for (auto _ : state) {
        TMemoryCellGrid grid(1, 1);
        LoadSpreadsheet(path, grid);
        rows = grid.RowCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ImportXls20000Rows)->Unit(benchmark::kMillisecond);

}  // namespace

const QString& WideCsv()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("wide.csv"));
        QByteArray text;
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 16000; ++col) {
                if (col > 0)
                    text += ',';
                text += (row == 0 ? "C" : "") + QByteArray::number(col);
            }
            text += "\r\n";
        }
        QFile file(p);
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        return p;
    }();
    return path;
}

void BM_ImportWideCsv(benchmark::State& state)
{
    const QString path = WideCsv();
    const double csvBytes = double(QFileInfo(path).size());
    double importPeak = 0, reopenPeak = 0, gridBytes = 0, reopenedBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TAdvStringGrid>(1, 1);
        ResetPeak();
        double base = double(StatusBytes("VmRSS"));
        state.ResumeTiming();

        LoadDelimitedText(path, *grid);

        state.PauseTiming();
        importPeak = double(StatusBytes("VmHWM")) - base;
        gridBytes = double(grid->MemoryUsage());
        const QByteArray block = WriteDatasheetStream(*grid);
        grid.reset();
        auto reopened = std::make_unique<TAdvStringGrid>(1, 1);
        ResetPeak();
        base = double(StatusBytes("VmRSS"));
        state.ResumeTiming();

        ReadDatasheetStream(*reopened, block);

        state.PauseTiming();
        reopenPeak = double(StatusBytes("VmHWM")) - base;
        reopenedBytes = double(reopened->MemoryUsage());
        reopened.reset();
        state.ResumeTiming();
    }
    state.counters["csv_KB"] = csvBytes / 1e3;
    state.counters["grid_KB"] = gridBytes / 1e3;
    state.counters["import_peak_per_csv"] = importPeak / csvBytes;
    state.counters["reopened_grid_KB"] = reopenedBytes / 1e3;
    state.counters["reopen_peak_per_csv"] = reopenPeak / csvBytes;
}
BENCHMARK(BM_ImportWideCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
