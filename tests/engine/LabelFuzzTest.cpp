// Structure-aware fuzzing of label files: seeded label files made of plan
// text, objects with every key and odd values, pictures of every kind (some
// damaged) and datasheet blocks, then damaged as a whole some of the time.
// Each is opened as the program opens it, drawn as output, saved and opened
// again: nothing may crash or escape as anything but a reported error, and
// what was saved must read back to the same label.
//
// TAGMORA_LABEL_FUZZ_RUNS and TAGMORA_LABEL_FUZZ_SEED run it longer or
// elsewhere; a failing input is kept and its path printed.
#include "engine/LabelDocument.h"
#include "document/LabelFile.h"
#include "document/PictureCodecs.h"
#include "common/PictureTestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

class TLabelGenerator {
public:
    explicit TLabelGenerator(quint32 seed) : FRng(seed) {}

    QByteArray LabelFile()
    {
        const QByteArray plan = Plan(), datasheet = Datasheet();
        QByteArray file = LabelFileHeader().leftJustified(kLabelFilePlanOffset, '\0');
        file += Le32(quint32(plan.size())) + plan + Le32(quint32(datasheet.size())) + datasheet;
        if (Chance(25))
            Damage(file);
        return file;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FRng); }
    bool Chance(int percent) { return Pick(100) < percent; }
    template <class T, size_t N>
    const T& OneOf(const T (&items)[N])
    {
        return items[Pick(int(N))];
    }
    static QByteArray Le32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        return QByteArray(b, 4);
    }

    QByteArray Number()
    {
        static const char* const numbers[] = {"0",    "1",     "-1",   "7",          "100",         "255",
                                              "256",  "65535", "3.5",  "2147483647", "-2147483648", "4294967296",
                                              "1e308", "-1e-9", "nan", "$FF",        "",            "x"};
        return Chance(60) ? QByteArray::number(Pick(400) - 50) : QByteArray(OneOf(numbers));
    }
    QByteArray Text()
    {
        static const char* const pieces[] = {"A",  "12345", "Müller", "a;b", "x,y", "\"q\"", "\t", "\x01",
                                             "%",  "€",     " ",      "=",   "\\",  "0123456789012"};
        QByteArray t;
        for (int n = Pick(5); n > 0; --n)
            t += OneOf(pieces);
        return t;
    }
    QByteArray Colour()
    {
        static const char* const names[] = {"Black", "white", "Navy", "$FF00", "-16777201", "Purple", "bogus"};
        return Chance(50) ? QByteArray(OneOf(names)) : Number();
    }

    // A small picture stream of some kind, damaged now and then.
    QByteArray Picture()
    {
        using namespace picturecodec;
        using namespace picturetest;
        QImage image(1 + Pick(12), 1 + Pick(12), QImage::Format_RGB32);
        image.fill(QColor::fromRgb(FRng()));
        QByteArray bytes;
        switch (Pick(8)) {
        case 0: bytes = EncodeBitmap(image); break;
        case 1: bytes = EncodeIcon(image); break;
        case 2: bytes = EncodeJpeg(image); break;
        case 3: bytes = RectangleEmf(FRng()); break;
        case 4: bytes = RectanglePlaceableWmf(); break;
        case 5: {
            QByteArray runs;
            for (int n = Pick(24); n > 0; --n)
                runs += char(Pick(6)), runs += char(Pick(4));
            bytes = BitmapFile(1 + Pick(8), 1 + Pick(8), 8, 1, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, runs);
            break;
        }
        case 6: bytes = EncodeBitmap(image.convertToFormat(QImage::Format_Mono)); break;
        default:
            for (int n = Pick(64); n > 0; --n)
                bytes += char(Pick(256));
        }
        if (Chance(30))
            Damage(bytes);
        return bytes;
    }

    QByteArray Header()
    {
        static const char* const keywords[] = {
            "LabelCornerRadius ", "LayoutRows ",      "LayoutCols ",       "MarginLeft ",  "MarginTop ",
            "MarginRight ",       "MarginBottom ",    "VerticalSpace ",    "HorizontalSpace ", "AutoCalcLayout ",
            "CutMark ",           "PageNumber ",      "DataEmbed ",        "OutputPrinter ", "PaperSize ",
            "PaperWidth ",        "PaperLength ",     "PaperOrientation ", "OutputOrder ", "OutPutOffset ",
            "LabelCount ",        "SetLineWidth ",    "SCALE",             "LABELCR",      "ROWS",
            "MT",                 "PRINTERZX"};
        switch (Pick(8)) {
        case 0: return "LabelSize " + Number() + "," + Number();
        // Not an empty name: objects without one take the document's font,
        // which label files do not carry.
        case 1: return "SetFont F" + Text() + "," + Number() + "," + (Chance(50) ? "IBUS" : "");
        case 2: return "SetPenColor " + Colour();
        case 3: return "LabelProfit " + Text() + "," + Number() + "," + Number();
        case 4: return "OutputPrinterName " + Text();
        default: return OneOf(keywords) + Number();
        }
    }

    QByteArray Key(const QByteArray& type)
    {
        static const char* const numeric[] = {"X1",       "Y1",       "X2",       "Y2",        "PenWidth",
                                              "PenStyle", "PenMode",  "BrushStyle", "CornerRadius", "FontSize",
                                              "Angle",    "BarType",  "BarHeight", "Modul",     "BarRatio",
                                              "Align",    "ShowText", "CheckSum", "DataOrigin", "Left",
                                              "Top",      "FontCharSet", "Transparent", "ReadOnly", "Layer",
                                              "Index",    "Cursor",   "AutoFill", "FormatText", "AutoCenter"};
        static const char* const textual[] = {"DataValue", "DataExpression", "DataFormat", "FontName", "Name",
                                              "Style",     "FontStyle",      "Alignment",  "Caption",  "Unknown"};
        static const char* const types[] = {"Bitmap", "Icon", "Metafile", "JPEG", " jpeg ", "TIFF", ""};
        static const char* const expressions[] = {"Fun_Date_MDY", "Fun_Time_HMS", "Name", "Code", "*TAGQTY*"};
        switch (Pick(12)) {
        case 0: return "PenColor=" + Colour();
        case 1: return "BrushColor=" + Colour();
        case 2: return "FontColor=" + Colour();
        case 3:
            if (type == "Picture" || Chance(10))
                return "Graphic=" + Picture().toHex().toUpper();
            return "PointCount=" + Number();
        case 4: return QByteArray("Type=") + OneOf(types);
        case 5: return "BrushBitmap=" + Picture().toHex().toUpper();
        case 6: return QByteArray("DataExpression=") + OneOf(expressions);
        case 7: return "X" + QByteArray::number(Pick(20)) + "=" + Number();
        case 8:
        case 9: return QByteArray(OneOf(textual)) + "=" + Text();
        default: return QByteArray(OneOf(numeric)) + "=" + Number();
        }
    }

    QByteArray Section(int depth)
    {
        static const char* const types[] = {"Line", "Rectangle", "Ellipse", "Text", "Picture",
                                            "Barcode", "Polygon", "Composite", "text", "Bogus"};
        const QByteArray type = Chance(97) ? QByteArray(OneOf(types)).replace("Bogus", "Barcode")
                                           : QByteArray(OneOf(types));
        QByteArray s = "Object " + type + "\r\n";
        for (int n = Pick(16); n > 0; --n)
            s += QByteArray(Pick(4), ' ') + Key(type) + (Chance(3) ? " ; note" : "") + "\r\n";
        if (depth < 3 && Chance(20))
            for (int n = 1 + Pick(3); n > 0; --n)
                s += Section(depth + 1);
        if (Chance(95))
            s += "End\r\n";
        return s;
    }

    QByteArray Plan()
    {
        QByteArray p = "LabelSize " + QByteArray::number(20 + Pick(300)) + "," + QByteArray::number(20 + Pick(300)) +
                       "\r\n";
        for (int n = Pick(8); n > 0; --n)
            p += Header() + "\r\n";
        // Pictures start a guarded decoder each: a few per label.
        for (int n = Pick(6); n > 0; --n)
            p += Section(0);
        return p;
    }

    QByteArray Datasheet()
    {
        const int cols = Chance(5) ? 16384 : 1 + Pick(6), rows = Chance(5) ? 33554432 : 1 + Pick(8);
        QByteArray d = QByteArray::number(cols) + "," + QByteArray::number(rows) + "\r\n";
        for (int c = 0; c < qMin(cols, 8); ++c)
            d += "cw " + QByteArray::number(Chance(95) ? c : Pick(40) - 10) + "," + Number() + "\r\n";
        for (int n = Pick(20); n > 0; --n) {
            const QByteArray text = Text() + (Chance(10) ? "\t\bx" : "");
            d += QByteArray::number(Pick(8)) + "," + QByteArray::number(Pick(10)) + "," + text + "\r\n";
        }
        if (Chance(5))
            d += Text() + "\r\n";
        return d;
    }

    // Flipped bytes, a cut, or a stretch written twice.
    void Damage(QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return;
        switch (Pick(3)) {
        case 0:
            for (int n = 1 + Pick(6); n > 0; --n)
                bytes[Pick(int(bytes.size()))] = char(Pick(256));
            break;
        case 1: bytes.truncate(Pick(int(bytes.size()))); break;
        default: {
            const int at = Pick(int(bytes.size()));
            bytes.insert(at, bytes.mid(at, Pick(64)));
        }
        }
    }

    std::mt19937 FRng;
};

int EnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}

// The first line where a block read back differs from the block saved.
// Blanks and control characters around a line do not count: plan text
// cannot carry them (a font name taken from "SetFont Arial ,10" ends in a
// blank, and loses it when read).
QString Difference(const char* block, const QByteArray& saved, const QByteArray& again)
{
    if (saved == again)
        return QString();
    auto bare = [](QByteArray line) {
        while (!line.isEmpty() && quint8(line.back()) <= 0x20)
            line.chop(1);
        while (!line.isEmpty() && quint8(line.front()) <= 0x20)
            line.remove(0, 1);
        return line;
    };
    const QList<QByteArray> a = saved.split('\n'), b = again.split('\n');
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && bare(a[i]) == bare(b[i]))
        ++i;
    if (i == a.size() && i == b.size())
        return QString();
    auto shown = [](const QByteArray& line) {
        QString out;
        for (const char c : line)
            out += c >= 0x20 && c < 0x7F ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(quint8(c), 2, 16, QLatin1Char('0'));
        return out;
    };
    return QStringLiteral("the saved %1 reads back differently at line %2: \"%3\" became \"%4\"")
        .arg(QLatin1String(block))
        .arg(i + 1)
        .arg(shown(a.value(i)), shown(b.value(i)));
}

// Draws the label as output at a small size.
void DrawOutput(TLabelPlan& plan)
{
    plan.Printing = true;
    plan.SetViewSize(120, 90);
    QImage canvas(120, 90, QImage::Format_RGB32);
    QPainter painter(&canvas);
    try {
        plan.PaintTo(painter);
    } catch (const std::exception&) {
        // A barcode whose value does not encode.
    }
    plan.Printing = false;
}

}  // namespace

TEST(LabelFuzz, GeneratedLabelFilesOpenDrawAndSaveAgain)
{
    const int runs = EnvironmentNumber("TAGMORA_LABEL_FUZZ_RUNS", 300);
    const quint32 seed = quint32(EnvironmentNumber("TAGMORA_LABEL_FUZZ_SEED", 20231209));
    QTemporaryDir dir;
    const QString input = dir.filePath("input.blf"), saved = dir.filePath("saved.blf");
    TLabelGenerator generator(seed);
    int opened = 0;
    for (int run = 0; run < runs; ++run) {
        const QByteArray file = generator.LabelFile();
        QFile f(input);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
        f.close();
        QString fault;
        try {
            TLabelDocument doc;
            bool read = false;
            try {
                read = doc.Open(input);
            } catch (const std::exception&) {
                // Refused with a message; what was read stays and must draw.
            }
            DrawOutput(doc.Plan());
            if (read) {
                ++opened;
                doc.Save(saved);
                const QByteArray plan = doc.Plan().SavePlanToBytes(), data = doc.Data.WriteBlock();
                TLabelDocument again;
                again.Open(saved);
                fault = Difference("plan", plan, again.Plan().SavePlanToBytes());
                if (fault.isEmpty())
                    fault = Difference("datasheet", data, again.Data.WriteBlock());
            }
        } catch (const std::exception& e) {
            fault = QStringLiteral("saving or reading back failed: ") + QString::fromUtf8(e.what());
        } catch (...) {
            fault = QStringLiteral("an exception of no known kind");
        }
        if (!fault.isEmpty()) {
            const QString kept = QDir::temp().filePath(QStringLiteral("tagmora-label-fuzz-%1-%2.blf").arg(seed).arg(run));
            QFile::copy(input, kept);
            FAIL() << "seed " << seed << ", run " << run << ": " << fault.toStdString() << " (input kept in "
                   << kept.toStdString() << ")";
        }
    }
    // The generator makes mostly readable labels: the checks after opening ran.
    EXPECT_GT(opened, runs / 3);
}
