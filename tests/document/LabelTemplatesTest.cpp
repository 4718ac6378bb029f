// Label products: the installed database, one product's sheet exactly, what
// a sheet cannot hold, damaged files, and the user's own templates.
#include "document/LabelPlan.h"
#include "document/LabelTemplates.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString WriteTemplates(const QTemporaryDir& dir, const char* name, const QByteArray& xml)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(xml);
    return path;
}

const TLabelTemplate* Find(const std::vector<TLabelTemplate>& all, const char* name)
{
    for (const TLabelTemplate& t : all)
        if (t.Name() == QLatin1String(name))
            return &t;
    return nullptr;
}

}  // namespace

TEST(LabelTemplates, TheInstalledDatabaseReadsWholeAndSane)
{
    if (!QFile::exists(QStringLiteral("/usr/share/libglabels-3.0/templates/avery-us-templates.xml")))
        GTEST_SKIP() << "glabels-data is not installed";
    qputenv("TAGMORA_TEMPLATE_DIRS", "/usr/share/libglabels-3.0/templates");
    const TLabelTemplateSet set = LoadLabelTemplates();
    qunsetenv("TAGMORA_TEMPLATE_DIRS");
    EXPECT_GT(set.Products.size(), 1700u);
    EXPECT_TRUE(set.Problems.isEmpty()) << set.Problems.join('\n').toStdString();
    for (const TLabelTemplate& t : set.Products) {
        SCOPED_TRACE(t.Name().toStdString());
        // Every label on its paper, or the product says it is not.
        EXPECT_GT(t.PerSheet(), 0);
        EXPECT_GT(t.Label.width(), 3.0);
        const bool fits = t.X0 + (t.Columns - 1) * t.Dx + t.Label.width() <= t.Paper.width() + 1.0 &&
                          t.Y0 + (t.Rows - 1) * t.Dy + t.Label.height() <= t.Paper.height() + 1.0;
        EXPECT_TRUE(fits || !t.Approximations.filter(QStringLiteral("beyond the paper")).isEmpty());
    }

    // Avery 5163: 2 x 5 shipping labels of 4 x 2 in on Letter, as published.
    const TLabelTemplate* avery = Find(set.Products, "Avery 5163");
    ASSERT_NE(avery, nullptr);
    TLabelPlan plan;
    ApplyLabelTemplate(plan, *avery);
    EXPECT_EQ(QSize(plan.ScaleX, plan.ScaleY), QSize(288, 144));
    EXPECT_EQ(plan.LayoutCols, 2);
    EXPECT_EQ(plan.LayoutRows, 5);
    EXPECT_DOUBLE_EQ(plan.LabCR, 9.0);  // 1/8 in
    EXPECT_EQ(plan.PaperSize, 1);       // Letter
    EXPECT_DOUBLE_EQ(plan.MarginLeft, 0.413);       // 0.1625 in
    EXPECT_DOUBLE_EQ(plan.MarginTop, 1.27);         // 0.5 in
    EXPECT_DOUBLE_EQ(plan.HorizontalSpace, 0.476);  // 0.1875 in
    EXPECT_DOUBLE_EQ(plan.VerticalSpace, 0.0);
    EXPECT_DOUBLE_EQ(plan.MarginRight, 0.381);      // 0.15 in
    EXPECT_DOUBLE_EQ(plan.MarginBottom, 1.27);
    // Equivalent part numbers are the same sheet; searches find by any word.
    const TLabelTemplate* same = Find(set.Products, "Avery 8163");
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same->Label, avery->Label);
    EXPECT_FALSE(FindLabelTemplates(set.Products, QStringLiteral("avery shipping 5163")).empty());
    const std::vector<TLabelTemplate> bySize = FindLabelTemplates(set.Products, QStringLiteral("avery 2x4"));
    EXPECT_TRUE(std::any_of(bySize.begin(), bySize.end(), [](const TLabelTemplate& t) { return t.Part == "5163"; }));
    EXPECT_TRUE(FindLabelTemplates(set.Products, QStringLiteral("avery 5163 zebra")).empty());
}

TEST(LabelTemplates, WhatASheetCannotHoldIsNamedAndDamageIsPlaced)
{
    QTemporaryDir dir;
    const QString path = WriteTemplates(dir, "mine-templates.xml", R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Test" part="CD1" size="A4" _description="CD">
    <Label-cd id="0" radius="58.5mm" hole="20mm"><Layout nx="1" ny="2" x0="46mm" y0="20mm" dx="0" dy="140mm"/></Label-cd>
  </Template>
  <Template brand="Test" part="TWO" size="A4">
    <Label-rectangle id="0" width="50mm" height="20mm">
      <Layout nx="2" ny="2" x0="10mm" y0="10mm" dx="60mm" dy="30mm"/>
      <Layout nx="1" ny="1" x0="10mm" y0="200mm" dx="60mm" dy="30mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Test" part="BAD" size="A4">
    <Label-rectangle id="0" width="-5mm" height="20mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle>
  </Template>
</Glabels-templates>
)");
    const TOutcome<TLabelTemplateFile> read = ReadLabelTemplates(path);
    ASSERT_TRUE(read) << read.Message().toStdString();
    const std::vector<TLabelTemplate>& products = read.Value().Products;
    ASSERT_EQ(products.size(), 2u);
    EXPECT_EQ(products[0].Approximations, QStringList{"CD labels printed in their square, no hole"});
    EXPECT_EQ(products[1].Approximations, QStringList{"2 layouts on one sheet, the first one used"});
    ASSERT_EQ(read.Value().Skipped.size(), 1);
    EXPECT_TRUE(read.Value().Skipped[0].startsWith(path + ":") &&
                read.Value().Skipped[0].contains(": the product Test BAD has no sound label size"))
        << read.Value().Skipped[0].toStdString();

    // XML that is not well formed is refused with its file and line.
    const QString broken = WriteTemplates(dir, "broken.xml", "<Glabels-templates>\n<Template brand=\"A\"\n</Glabels-templates>");
    const TOutcome<TLabelTemplateFile> refused = ReadLabelTemplates(broken);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.Message().startsWith(broken + ":3: ")) << refused.Message().toStdString();
}

TEST(LabelTemplates, TheUsersOwnTemplateRoundTrips)
{
    TLabelPlan plan;
    plan.ScaleX = 200;
    plan.ScaleY = 100;
    plan.LabCR = 6;
    plan.LayoutCols = 3;
    plan.LayoutRows = 7;
    plan.MarginLeft = 0.7;
    plan.MarginTop = 1.5;
    plan.HorizontalSpace = 0.25;
    plan.VerticalSpace = 0.1;
    plan.PaperSize = 9;
    plan.PaperWidth = 2100;
    plan.PaperLength = 2970;
    QTemporaryDir dir;
    const TLabelTemplate mine = LabelTemplateOf(plan, "Tavix", "T-21", "Shelf labels");
    const TOutcome<TLabelTemplateFile> read =
        ReadLabelTemplates(WriteTemplates(dir, "user.xml", LabelTemplateXml(mine)));
    ASSERT_TRUE(read) << read.Message().toStdString();
    ASSERT_EQ(read.Value().Products.size(), 1u);
    EXPECT_EQ(read.Value().Products[0].Name(), QStringLiteral("Tavix T-21"));
    TLabelPlan back;
    ApplyLabelTemplate(back, read.Value().Products[0]);
    EXPECT_EQ(QSize(back.ScaleX, back.ScaleY), QSize(200, 100));
    EXPECT_EQ(back.LabCR, 6);
    EXPECT_EQ(QSize(back.LayoutCols, back.LayoutRows), QSize(3, 7));
    for (const auto& [got, want] : {std::pair{back.MarginLeft, 0.7}, {back.MarginTop, 1.5},
                                    {back.HorizontalSpace, 0.25}, {back.VerticalSpace, 0.1}})
        EXPECT_NEAR(got, want, 0.001);
    EXPECT_EQ(back.PaperSize, 9);  // A4 is found again by its size
}
