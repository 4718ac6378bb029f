// Datasheet at scale: 1,000,000 rows of Name, Code, Price and a tag quantity
// column, as the big CSV fixture generator writes them (rows in a scrambled
// order so that sorting has work to do). Peak memory comes from the kernel's
// high-water mark, reset before each measured step.
#include "engine/datasheet/Datasheet.h"
#include "engine/datasheet/DatasheetModel.h"
#include "engine/datasheet/DatasheetStream.h"
#include "gui/datasheet/DatasheetWindow.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kRows = 1000000;

// --- Memory -------------------------------------------------------------------

long StatusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').front().toLong();
    return 0;
}

// Resets the peak (VmHWM) to the current resident size.
void ResetPeak()
{
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

struct TPeak {
    long startKb;
    TPeak() : startKb((ResetPeak(), StatusKb("VmRSS"))) {}
    void Report(benchmark::State& state) const
    {
        state.counters["peak_MB"] = double(StatusKb("VmHWM")) / 1024.0;
        state.counters["peak_extra_MB"] = double(StatusKb("VmHWM") - startKb) / 1024.0;
    }
};

// --- Rows -----------------------------------------------------------------------

char16_t* PutDigits(char16_t* p, long v, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        p[i] = char16_t(u'0' + v % 10);
        v /= 10;
    }
    return p + width;
}

int PutNumber(char16_t* p, long v)
{
    char16_t tmp[20];
    int n = 0;
    do {
        tmp[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (int i = 0; i < n; ++i)
        p[i] = tmp[n - 1 - i];
    return n;
}

// Cell text of item i (1-based) in column c (1 Name, 2 Code, 3 Price, 4 tag quantity).
QStringView ItemText(long i, int c, char16_t* buf)
{
    char16_t* p = buf;
    switch (c) {
    case 1:
        std::memcpy(p, u"Item ", 5 * sizeof(char16_t));
        p = PutDigits(p + 5, i, 6);
        break;
    case 2:
        std::memcpy(p, u"4006", 4 * sizeof(char16_t));
        p = PutDigits(p + 4, i, 8);
        break;
    case 3: {
        const long cents = i + 99;
        p += PutNumber(p, cents / 100);
        *p++ = u'.';
        p = PutDigits(p, cents % 100, 2);
        break;
    }
    default:
        p += PutNumber(p, i % 4);
        break;
    }
    return QStringView(buf, p - buf);
}

// Row r (1-based) holds item Item(r): a fixed scramble of 1..kRows.
long Item(long r)
{
    return (r - 1) * 654321L % kRows + 1;
}

const QStringView kNames[] = {u"Name", u"Code", u"Price", u"*TAGQTY*"};

// Fills a grid as an import loader does: row 0 the names, the row count grown
// in steps of 1000, every cell through SetCell. Returns the CSV size these
// rows make.
qint64 FillLikeLoader(TCellGridWriter& grid, int rows)
{
    char16_t buf[32];
    qint64 csv = 0;
    grid.SetColCount(4);
    for (int c = 0; c < 4; ++c) {
        grid.SetCell(c, 0, kNames[c]);
        csv += kNames[c].size() + 1;
    }
    for (int r = 1; r <= rows; ++r) {
        if (r >= grid.RowCount())
            grid.SetRowCount(grid.RowCount() + 1000);
        const long item = Item(r);
        for (int c = 0; c < 4; ++c) {
            const QStringView t = ItemText(item, c + 1, buf);
            grid.SetCell(c, r, t);
            csv += t.size() + 1;
        }
    }
    grid.SetRowCount(rows + 1);
    return csv;
}

struct TBigSheet {
    TDatasheet ds;
    qint64 csvBytes = 0;
    TBigSheet()
    {
        ds.StrGrid_Data = TAdvStringGrid(1, 1);
        csvBytes = FillLikeLoader(ds.StrGrid_Data, kRows);
        ds.StrGrid_Data.InsertCols(0, 1);
        ds.StrGrid_Data.SetColWidth(0, 50);
    }
};

TBigSheet& Big()
{
    static TBigSheet sheet;
    return sheet;
}

// --- Benchmarks ---------------------------------------------------------------

void BM_FillGridSetCell(benchmark::State& state)
{
    qint64 csv = 0;
    std::size_t bytes = 0;
    TPeak peak;
    for (auto _ : state) {
        TAdvStringGrid grid(1, 1);
        csv = FillLikeLoader(grid, kRows);
        bytes = grid.MemoryUsage();
        benchmark::DoNotOptimize(grid.RowCount());
    }
    peak.Report(state);
    state.counters["grid_MB"] = double(bytes) / (1 << 20);
    state.counters["csv_MB"] = double(csv) / (1 << 20);
    state.counters["cells_per_s"] = benchmark::Counter(double(kRows) * 4, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FillGridSetCell)->Unit(benchmark::kMillisecond);

void BM_BuildPrintGrid(benchmark::State& state)
{
    TDatasheet& ds = Big().ds;
    TPeak peak;
    for (auto _ : state) {
        ds.BuildPrintGrid();
        benchmark::DoNotOptimize(ds.StrGrid_Print.RowCount());
    }
    peak.Report(state);
    state.counters["print_rows"] = ds.StrGrid_Print.RowCount();
}
BENCHMARK(BM_BuildPrintGrid)->Unit(benchmark::kMillisecond);

void BM_WriteStream(benchmark::State& state)
{
    const TAdvStringGrid& g = Big().ds.StrGrid_Data;
    qsizetype size = 0;
    TPeak peak;
    for (auto _ : state) {
        const QByteArray block = WriteDatasheetStream(g);
        size = block.size();
        benchmark::DoNotOptimize(block.constData());
    }
    peak.Report(state);
    state.counters["stream_MB"] = double(size) / (1 << 20);
}
BENCHMARK(BM_WriteStream)->Unit(benchmark::kMillisecond);

void BM_ReadStream(benchmark::State& state)
{
    const QByteArray block = WriteDatasheetStream(Big().ds.StrGrid_Data);
    TPeak peak;
    for (auto _ : state) {
        TDatasheet back;
        back.ReadBlock(block);
        benchmark::DoNotOptimize(back.StrGrid_Data.RowCount());
        state.PauseTiming();
        if (back.StrGrid_Data.RowCount() != kRows + 1)
            state.SkipWithError("stream did not read back");
        state.ResumeTiming();
    }
    peak.Report(state);
}
BENCHMARK(BM_ReadStream)->Unit(benchmark::kMillisecond);

// Argument: the column sorted by (1 Name text, 2 Code 12-digit numbers, 3 Price).
void BM_SortByColumn(benchmark::State& state)
{
    const int col = int(state.range(0));
    TPeak peak;
    for (auto _ : state) {
        state.PauseTiming();
        TDatasheet ds;
        ds.StrGrid_Data = Big().ds.StrGrid_Data;  // shares cells: a cheap, unsorted copy
        state.ResumeTiming();
        ds.SortByColumn(col, true);
        benchmark::DoNotOptimize(ds.StrGrid_Data.Cells(col, 1));
    }
    peak.Report(state);
}
BENCHMARK(BM_SortByColumn)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

// A search that finds nothing visits every data cell.
void BM_SearchNoMatch(benchmark::State& state)
{
    TDatasheet ds;
    ds.StrGrid_Data = Big().ds.StrGrid_Data;
    for (auto _ : state) {
        const QPoint at = ds.Search(QStringLiteral("item 0000000"));
        benchmark::DoNotOptimize(at);
    }
}
BENCHMARK(BM_SearchNoMatch)->Unit(benchmark::kMillisecond);

// The table view over a million rows: jump to places and paint what shows.
void BM_ViewScrollAndPaint(benchmark::State& state)
{
    TDatasheetModel model(Big().ds.StrGrid_Data);
    QTableView view;
    view.verticalHeader()->setDefaultSectionSize(21);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.setModel(&model);
    view.resize(800, 600);
    QImage image(view.size(), QImage::Format_RGB32);
    long step = 0;
    for (auto _ : state) {
        const int row = int((step++ * 104729L) % kRows);
        view.scrollTo(model.index(row, 0), QAbstractItemView::PositionAtTop);
        QPainter p(&image);
        view.render(&p);
    }
}
BENCHMARK(BM_ViewScrollAndPaint)->Unit(benchmark::kMillisecond);

// Opening a view on a million rows, and resetting it (what sorting does).
void BM_ViewReset(benchmark::State& state)
{
    TDatasheetModel model(Big().ds.StrGrid_Data);
    QTableView view;
    view.setModel(&model);
    view.resize(800, 600);
    for (auto _ : state) {
        model.Reset();
        benchmark::DoNotOptimize(view.verticalHeader()->count());
    }
}
BENCHMARK(BM_ViewReset)->Unit(benchmark::kMillisecond);

// The whole click on a column name in the datasheet window: sort, then the
// view shows the sorted rows.
void BM_WindowSortClick(benchmark::State& state)
{
    TDatasheet ds;
    ds.StrGrid_Data = Big().ds.StrGrid_Data;
    TFM_Data window(ds);
    window.resize(800, 600);
    window.show();
    for (auto _ : state) {
        window.HeaderClick(2);  // Price, ascending and descending in turn
        benchmark::DoNotOptimize(ds.StrGrid_Data.Cells(3, 1));
    }
    window.hide();
}
BENCHMARK(BM_WindowSortClick)->Unit(benchmark::kMillisecond);

// "Import Data ..." of the million-row CSV through the import loaders
// (skipped while they are not built).
void BM_ImportCsv(benchmark::State& state)
{
    const QString path = QDir::temp().filePath(QStringLiteral("tagmora_bench_big.csv"));
    qint64 fileSize = QFileInfo(path).size();
    if (fileSize == 0) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the CSV file");
            return;
        }
        QByteArray out = "Name,Code,Price,Qty\n";
        char line[64];
        for (long i = 1; i <= kRows; ++i) {
            const long c = i + 99;
            const int n = std::snprintf(line, sizeof line, "Item %06ld,4006%08ld,%ld.%02ld,%ld\n", i, i, c / 100,
                                        c % 100, i % 1000);
            out.append(line, n);
        }
        f.write(out);
        f.close();
        fileSize = QFileInfo(path).size();
    }
    TPeak peak;
    for (auto _ : state) {
        TDatasheet ds;
        if (!ds.ImportFile(path, {})) {
            state.SkipWithError("no import loader for .csv in this build");
            return;
        }
        benchmark::DoNotOptimize(ds.StrGrid_Data.RowCount());
    }
    peak.Report(state);
    state.counters["csv_MB"] = double(fileSize) / (1 << 20);
    state.counters["peak_per_csv"] = double(StatusKb("VmHWM") - peak.startKb) * 1024.0 / double(fileSize);
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

}  // namespace
