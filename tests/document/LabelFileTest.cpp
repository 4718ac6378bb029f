// Label files: layout, round trips, bad input and safe saving.
#include "common/TestSupport.h"
#include "common/DocTestSupport.h"
#include "document/LabelFile.h"
#include "document/OpaqueDatasheetBlock.h"
#include "document/PlanLayer.h"
#include "document/PlanObjects.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

QByteArray Le32(qint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<qint32>(v, b.data());
    return b;
}

// A label file from its parts, with any header.
QByteArray Container(const QByteArray& plan, const QByteArray& data, QByteArray header = LabelFileHeader())
{
    header.resize(kLabelFilePlanOffset, '\0');
    return header + Le32(qint32(plan.size())) + plan + Le32(qint32(data.size())) + data;
}

class LabelFiles : public ::testing::Test, public TPlanFixture {
protected:
    QTemporaryDir dir;
    TOpaqueDatasheetBlock datasheet;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Opens bytes written to a file; answers the error message ("" when none).
    QString OpenBytes(const QByteArray& bytes)
    {
        const QString path = Path("in.blf");
        EXPECT_TRUE(WriteFile(path, bytes));
        try {
            OpenLabelFile(path, plan, datasheet);
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    }
    int ObjectCount() { return plan.Layers().Item(0)->Count(); }
};

// Fails the data block's writing, as a full disk would half-way.
class TFailingBlock : public TDatasheetBlock {
public:
    QByteArray WriteBlock() override { throw std::runtime_error("disk full"); }
    void ReadBlock(const QByteArray&) override {}
    void BuildPrintGrid() override {}
};

}  // namespace

TEST_F(LabelFiles, LayoutIsExact)
{
    plan.ReadPlan(Lines("LabelSize 100,50\nObject Line\nX2=10\nEnd"));
    datasheet.Bytes = "1,1\r\ncw 0,24\r\n";
    const QString path = Path("layout.blf");
    SaveLabelFile(path, plan, datasheet);
    const QByteArray file = ReadFile(path);
    const QByteArray planBlock = plan.SavePlanToBytes();

    const QByteArray line1 = "Tagmora Barcode Label File - (C) 2003 Tavix Software\r\n";
    EXPECT_EQ(line1.size(), 54);
    EXPECT_TRUE(file.startsWith(QByteArray(line1 + "Created by Tagmora 4.2\r\n")));
    const int headerEnd = line1.size() + 24;
    EXPECT_EQ(file.mid(headerEnd, kLabelFilePlanOffset - headerEnd), QByteArray(kLabelFilePlanOffset - headerEnd, '\0'));
    EXPECT_EQ(file.mid(513, 4), Le32(qint32(planBlock.size())));
    EXPECT_EQ(file.mid(517, planBlock.size()), planBlock);
    EXPECT_EQ(file.mid(517 + planBlock.size(), 4), Le32(14));
    EXPECT_EQ(file.mid(521 + planBlock.size()), datasheet.Bytes);
    EXPECT_EQ(file.size(), 521 + planBlock.size() + 14);
}

TEST_F(LabelFiles, SaveAndOpenReproduceTheLabel)
{
    plan.ReadPlan(Lines("LabelProfit Default,1,0\nLabelProfit Top,0,1\nMarginLeft 0.33\nLabelCount 5\n"
                        "Object Text\nDataValue=Grüße\nLayer=1\nMystery=42\nEnd\nObject Barcode\nBarType=7\nEnd"));
    datasheet.Bytes = QByteArray("2,2\r\n1,1,\xC3\xA4\r\n");
    const QStringList before = plan.PlanStrings();
    const QString path = Path("round.blf");
    SaveLabelFile(path, plan, datasheet);

    TLabelPlan other;
    other.NewLabel();
    TOpaqueDatasheetBlock otherData;
    ASSERT_TRUE(OpenLabelFile(path, other, otherData));
    EXPECT_EQ(other.PlanStrings(), before);
    EXPECT_EQ(otherData.Bytes, datasheet.Bytes);
    EXPECT_EQ(other.MarginLeft, 0.33);
    EXPECT_EQ(other.ViewSize(), QSize(180, 130));
}

TEST_F(LabelFiles, MissingFileChangesNothing)
{
    plan.LabCR = 2;
    EXPECT_FALSE(OpenLabelFile(Path("none.blf"), plan, datasheet));
    EXPECT_EQ(plan.LabCR, 2);
    EXPECT_FALSE(OpenBytes(QByteArray()).isEmpty());  // an empty file is no label file
    EXPECT_THROW(OpenLabelFile(dir.path(), plan, datasheet), ELabelFileError);  // a folder
}

TEST_F(LabelFiles, OtherHeaderTextIsIgnored)
{
    EXPECT_EQ(OpenBytes(Container("LayoutRows 9\r\n", "", "Some other program\r\nwrote this\r\n")), QString());
    EXPECT_EQ(plan.LayoutRows, 9);
    EXPECT_EQ(OpenBytes(Container("LayoutRows 8\r\n", "", QByteArray(513, 'x'))), QString());
    EXPECT_EQ(plan.LayoutRows, 8);
}

TEST_F(LabelFiles, TruncatedFiles)
{
    const QByteArray planBlock = "LayoutRows 7\r\nObject Line\r\nX2=5\r\nEnd\r\n";
    const QByteArray data = "1,1\r\ncw 0,24\r\n";
    const QByteArray full = Container(planBlock, data);
    const int planEnd = 517 + int(planBlock.size());
    struct Case {
        int cut;
        bool planRead;
        const char* message;
    } cases[] = {
        {0, false, "length of its label plan"},          {300, false, "length of its label plan"},
        {515, false, "length of its label plan"},        {517, false, "announces 38 bytes but only 0 follow"},
        {530, false, "announces 38 bytes but only 13"},  {planEnd, true, "length of its datasheet"},
        {planEnd + 3, true, "length of its datasheet"}, {planEnd + 4, true, "announces 14 bytes but only 0"},
        {int(full.size()) - 1, true, "announces 14 bytes but only 13"},
    };
    for (const Case& c : cases) {
        plan.NewLabel();
        datasheet.Bytes = "old";
        const QString error = OpenBytes(full.left(c.cut));
        EXPECT_TRUE(error.contains(QLatin1String(c.message))) << c.cut << ": " << error.toStdString();
        EXPECT_TRUE(error.contains("in.blf")) << error.toStdString();
        EXPECT_EQ(plan.LayoutRows, c.planRead ? 7 : 6) << c.cut;
        EXPECT_EQ(ObjectCount(), c.planRead ? 1 : 0) << c.cut;
        EXPECT_EQ(datasheet.Bytes, QByteArray("old"));
    }
    EXPECT_EQ(OpenBytes(full), QString());
    EXPECT_EQ(datasheet.Bytes, data);
}

TEST_F(LabelFiles, ImpossibleLengths)
{
    QByteArray header = LabelFileHeader();
    header.resize(513, '\0');
    const QByteArray planBlock = "LayoutRows 5\r\n";
    struct Case {
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {header + Le32(-1) + planBlock, "negative (-1)"},
        {header + Le32(INT32_MIN) + planBlock, "negative"},
        {header + Le32(INT32_MAX) + planBlock, "announces 2147483647 bytes but only 14 follow"},
        {header + Le32(14) + planBlock + Le32(-5) + "x", "length of its datasheet is negative (-5)"},
        {header + Le32(14) + planBlock + Le32(0x7FFFFFF0) + "x", "announces 2147483632 bytes but only 1"},
    };
    for (const Case& c : cases) {
        QElapsedTimer timer;
        timer.start();
        const QString error = OpenBytes(c.bytes);
        EXPECT_TRUE(error.contains(QLatin1String(c.message))) << error.toStdString();
        EXPECT_LT(timer.elapsed(), 2000);
    }
    // A zero length is an empty block.
    EXPECT_EQ(OpenBytes(header + Le32(0) + Le32(0)), QString());
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(datasheet.Bytes, QByteArray());
}

TEST_F(LabelFiles, GarbageNeverCrashes)
{
    QRandomGenerator random(42);
    for (int round = 0; round < 40; ++round) {
        QByteArray bytes(int(random.bounded(2000)), Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random.bounded(256));
        if (round % 2 == 1 && bytes.size() > 600) {
            // Plausible lengths around garbage blocks.
            bytes.replace(513, 4, Le32(50));
            bytes.replace(567, 4, Le32(qint32(bytes.size() - 571)));
        }
        OpenBytes(bytes);
        EXPECT_GE(plan.Layers().Count(), 1);
        plan.SavePlanToBytes();
    }
    // Garbage inside a well-formed container reads leniently.
    QByteArray junk;
    for (int i = 0; i < 5000; ++i)
        junk += char(random.bounded(256));
    junk.replace("Object ", "xbject ");
    EXPECT_EQ(OpenBytes(Container(junk, junk)), QString());
    EXPECT_EQ(datasheet.Bytes, junk);
}

TEST_F(LabelFiles, HugeLinesAndDeepNesting)
{
    const QByteArray big(10 * 1024 * 1024, 'A');
    const QByteArray planBlock = "DataFilePath " + big + "\r\nObject Text\r\nDataValue=" + big + "\r\nEnd\r\n";
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(OpenBytes(Container(planBlock, big)), QString());
    EXPECT_EQ(plan.DataFilePath.size(), 255);
    auto* text = dynamic_cast<TPlanText*>(plan.Layers().Item(0)->Item(0));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->DataValue.size(), big.size());
    const QString path = Path("big.blf");
    SaveLabelFile(path, plan, datasheet);
    EXPECT_GT(ReadFile(path).size(), 2 * big.size());
    EXPECT_LT(timer.elapsed(), 20000);

    QByteArray deep;
    for (int i = 0; i < 100000; ++i)
        deep += "Object Composite\r\n";
    const QString error = OpenBytes(Container(deep, ""));
    EXPECT_TRUE(error.contains("nested more than 1000 deep")) << error.toStdString();
    EXPECT_EQ(ObjectCount(), kMaxPlanNesting);
    EXPECT_NO_THROW(plan.SavePlanToBytes());

    QByteArray unclosed = "Object Composite\r\nObject Text\r\nDataValue=open\r\n";
    EXPECT_EQ(OpenBytes(Container(unclosed, "")), QString());
    EXPECT_EQ(ObjectCount(), 2);
}

TEST_F(LabelFiles, ReadOnlyFilesOpen)
{
    const QString path = Path("readonly.blf");
    ASSERT_TRUE(WriteFile(path, Container("LayoutCols 4\r\n", "d")));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_TRUE(OpenLabelFile(path, plan, datasheet));
    EXPECT_EQ(plan.LayoutCols, 4);
    EXPECT_EQ(datasheet.Bytes, QByteArray("d"));
}

TEST_F(LabelFiles, FailedSaveKeepsTheOldFile)
{
    const QString path = Path("keep.blf");
    const QByteArray old = Container("LayoutRows 2\r\n", "old data");
    ASSERT_TRUE(WriteFile(path, old));

    // The datasheet fails while the file is being written.
    TFailingBlock failing;
    EXPECT_THROW(SaveLabelFile(path, plan, failing), std::runtime_error);
    EXPECT_EQ(ReadFile(path), old);

    // The disk fills up: writes beyond a size limit fail.
    plan.ReadPlan(Lines(QByteArray("Object Text\nDataValue=" + QByteArray(200000, 'x') + "\nEnd").constData()));
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 100000;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    try {
        SaveLabelFile(path, plan, datasheet);
    } catch (const ELabelFileError& e) {
        error = QString::fromUtf8(e.what());
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(error.startsWith("Cannot save the label file")) << error.toStdString();
    EXPECT_TRUE(error.contains("keep.blf")) << error.toStdString();
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.blf"});  // no leftovers
}

TEST_F(LabelFiles, SaveIntoALockedFolderFails)
{
    const QByteArray old = Container("LayoutRows 2\r\n", "old data");
    const QString locked = Path("locked");
    QDir().mkdir(locked);
    const QString lockedFile = locked + "/label.blf";
    ASSERT_TRUE(WriteFile(lockedFile, old));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    if (access(locked.toLocal8Bit().constData(), W_OK) == 0) {
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_THROW(SaveLabelFile(lockedFile, plan, datasheet), ELabelFileError);
    EXPECT_EQ(ReadFile(lockedFile), old);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(LabelFiles, EveryLibrarySymbologyAndItsSettingsRoundTrip)
{
    // Each symbology with settings of its kind; labels without them write none.
    QString text = QStringLiteral("LabelSize 400,400\n");
    for (int t = kFirstLibrarySymbology; t < kBarcodeTypeCount; ++t) {
        const TSymbologyInfo& info = SymbologyTable[size_t(t)];
        const char* value = info.gs1 || info.hasGs1Option ? "(01)09501101530003(10)AB12"
                            : info.digitsOnly                 ? "1234567890123"
                                                              : "0306406152";
        text += QStringLiteral("Object Barcode\nBarType=%1\nDataValue=%2\n").arg(t).arg(QLatin1String(value));
        if (info.hasEcc)
            text += QStringLiteral("Ecc=2\n");
        if (info.hasSize)
            text += QStringLiteral("SymbolSize=%1\n").arg(t == bcDataMatrix ? -1 : 3);
        if (info.hasColumns)
            text += QStringLiteral("Columns=2\n");
        if (info.hasGs1Option)
            text += QStringLiteral("Gs1Mode=1\n");
        text += QStringLiteral("End\n");
    }
    plan.ReadPlan(text.split('\n'));
    const QStringList before = plan.PlanStrings();
    EXPECT_EQ(before.filter(QStringLiteral("Ecc=")).size(), 4);
    EXPECT_EQ(before.filter(QStringLiteral("SymbolSize=")).size(), 5);
    const QString path = Path("codes.blf");
    SaveLabelFile(path, plan, datasheet);

    TLabelPlan other;
    other.NewLabel();
    TOpaqueDatasheetBlock otherData;
    ASSERT_TRUE(OpenLabelFile(path, other, otherData));
    EXPECT_EQ(other.PlanStrings(), before);
    TPlanLayer* layer = other.Layers().Item(0);
    ASSERT_EQ(layer->Count(), kBarcodeTypeCount - kFirstLibrarySymbology);
    for (int i = 0; i < layer->Count(); ++i) {
        auto* b = dynamic_cast<TPlanBarcode*>(layer->Item(i));
        ASSERT_TRUE(b);
        const TSymbologyInfo& info = SymbologyTable[size_t(kFirstLibrarySymbology + i)];
        SCOPED_TRACE(info.name);
        EXPECT_EQ(b->Barcode.Typ(), info.type);
        EXPECT_EQ(b->Barcode.Options().Ecc, info.hasEcc ? 2 : 0);
        EXPECT_EQ(b->Barcode.Options().Columns, info.hasColumns ? 2 : 0);
        EXPECT_EQ(b->Barcode.Options().Gs1, info.hasGs1Option);
    }
}
