// Data binding: filling bound objects from datasheet and print grid rows.
#include "engine/LabelDocument.h"
#include "document/PlanBarcode.h"
#include "common/TestSupport.h"
#include "document/PlanObjects.h"
#include "engine/printing/DataBinding.h"
#include "document/StandInPrinter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A label with a text and an EAN-13 bound to "Code", a text bound to "Name",
// and a datasheet with the columns " Code " and "Name".
class Binding : public ::testing::Test {
protected:
    TStandInPrinter printer;
    TScopedPrinter guard{printer};
    TLabelDocument doc;
    TPlanText* codeText = nullptr;
    TPlanText* nameText = nullptr;
    TPlanBarcode* ean = nullptr;

    void SetUp() override
    {
        doc.Plan().ReadPlan(QStringList{
            "LabelSize 200,100",
            "Object Text", "  DataOrigin=1", "  DataExpression=Code", "  DataValue=old",
            "End",
            "Object Text", "  DataOrigin=1", "  DataExpression=Name",
            "End",
            "Object Barcode", "  BarType=14", "  CheckSum=-1", "  DataOrigin=1", "  DataExpression=Code",
            "  DataValue=400638133393",
            "End",
        });
        auto* layer = doc.Plan().Layers().Item(0);
        codeText = dynamic_cast<TPlanText*>(layer->Item(0));
        nameText = dynamic_cast<TPlanText*>(layer->Item(1));
        ean = dynamic_cast<TPlanBarcode*>(layer->Item(2));
        ASSERT_TRUE(codeText && nameText && ean);

        TAdvStringGrid& g = doc.Data.StrGrid_Data;
        g.SetColCount(3);
        g.SetRowCount(5);
        const char* rows[][2] = {{" Code ", "Name"},
                                 {"590123412345", "Alpha"},
                                 {"BLANK*LABEL", "Beta"},
                                 {"12A45", "Gamma"},
                                 {"", "Delta"}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 2; ++c)
                g.SetCell(c + 1, r, QString::fromLatin1(rows[r][c]));
        doc.Data.BuildPrintGrid();
    }
};

}  // namespace

TEST_F(Binding, FillsTextsAndValidBarcodesFromARow)
{
    EXPECT_TRUE(doc.FillObjectsFromRow(1, "DataGrid"));
    EXPECT_EQ(codeText->DataValue, QString("590123412345"));  // header " Code " matches "Code"
    EXPECT_EQ(nameText->DataValue, QString("Alpha"));
    EXPECT_EQ(ean->DataValue, QString("590123412345"));

    // "BLANK*LABEL" leaves the barcode as it was; the text shows the cell.
    EXPECT_TRUE(doc.FillObjectsFromRow(2, "printgrid"));
    EXPECT_EQ(ean->DataValue, QString("590123412345"));
    EXPECT_EQ(codeText->DataValue, QString("BLANK*LABEL"));
    EXPECT_EQ(nameText->DataValue, QString("Beta"));

    // An invalid code is reported and keeps the previous code; texts still fill.
    const TDone refused = doc.FillObjectsFromRow(3, "DataGrid");
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.Message(), QString("The value \"12A45\" in row 3, column \"Code\" is not a valid EAN13 code"));
    EXPECT_EQ(ean->DataValue, QString("590123412345"));
    EXPECT_EQ(nameText->DataValue, QString("Gamma"));
}

TEST_F(Binding, MissingColumnsRowsAndSourcesGiveEmptyValues)
{
    // A header "code" does not match "Code": case matters after trimming.
    doc.Data.StrGrid_Data.SetCell(1, 0, u"code");
    doc.Data.BuildPrintGrid();
    EXPECT_EQ(MissingBoundColumns(doc.Plan(), doc.Data), QStringList{"Code"});
    // An empty cell is a missing code, not an EAN-13 of zeros.
    EXPECT_FALSE(doc.FillObjectsFromRow(1, "DataGrid"));
    EXPECT_EQ(codeText->DataValue, QString());
    EXPECT_EQ(ean->DataValue, QString("400638133393"));
    EXPECT_EQ(nameText->DataValue, QString("Alpha"));

    EXPECT_FALSE(doc.FillObjectsFromRow(99, "DataGrid"));
    EXPECT_EQ(nameText->DataValue, QString());
    nameText->SetText("kept?");
    doc.FillObjectsFromRow(1, "OtherGrid");
    EXPECT_EQ(nameText->DataValue, QString());
}

TEST_F(Binding, OnlyTheFirstLayerIsFilled)
{
    doc.Plan().ReadPlan(QStringList{
        "LabelProfit Default,1,0", "LabelProfit Top,1,0",
        "Object Text", "  Layer=1", "  DataOrigin=1", "  DataExpression=Name", "  DataValue=unchanged",
        "End"});
    auto* onSecond = dynamic_cast<TPlanText*>(doc.Plan().Layers().Item(1)->Item(0));
    ASSERT_TRUE(onSecond);
    doc.FillObjectsFromRow(1, "DataGrid");
    EXPECT_EQ(onSecond->DataValue, QString("unchanged"));
}

TEST_F(Binding, StaleBindingsBecomeConstantsKeepingTheirValues)
{
    doc.FillObjectsFromRow(1, "DataGrid");
    doc.Data.StrGrid_Data.SetCell(2, 0, u"Renamed");
    doc.Data.BuildPrintGrid();
    EXPECT_EQ(doc.Data.ClearStaleBindings(), 1);
    EXPECT_EQ(nameText->DataOrigin, doConstant);
    EXPECT_EQ(nameText->DataValue, QString("Alpha"));
    EXPECT_EQ(codeText->DataOrigin, doDataColumn);
    EXPECT_EQ(ean->DataOrigin, doDataColumn);
}

TEST_F(Binding, CliWritesTheDatasheetAsStreamAndCsv)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bound.blf");
    doc.Data.StrGrid_Data.SetCell(2, 1, u"Smith, \"J\"");
    doc.Save(path);

    auto csv = testsupport::RunCli({"datasheet", path, "--csv"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.constData();
    EXPECT_EQ(csv.out, QByteArray(" Code ,Name\r\n"
                                  "590123412345,\"Smith, \"\"J\"\"\"\r\n"
                                  "BLANK*LABEL,Beta\r\n"
                                  "12A45,Gamma\r\n"
                                  ",Delta\r\n"));

    auto stream = testsupport::RunCli({"datasheet", path});
    ASSERT_EQ(stream.exitCode, 0);
    TLabelDocument reopened;
    ASSERT_TRUE(reopened.Open(path));
    EXPECT_EQ(stream.out, reopened.Data.WriteBlock());
    EXPECT_EQ(reopened.Data.StrGrid_Data.Cells(2, 1), QString("Smith, \"J\""));
}
