// Label products: the sheets of labels that label makers sell ("Avery 5163"),
// read from the product database in the gLabels template format that Debian
// ships in glabels-data, and from the user's own templates in the same format.
// A product fills a label's size, corner, margins, gaps, rows, columns and
// paper in one step.
#pragma once

#include "barcode/Outcome.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

class TLabelPlan;

struct TLabelTemplate {
    QString Brand;        // "Avery"
    QString Part;         // "5163"
    QString Description;  // "Shipping Labels"
    QString PaperId;      // "US-Letter", "A4", "Other"
    QSizeF Paper;         // points
    QSizeF Label;         // points, of one label (its bounding box when not a rectangle)
    double Radius = 0;    // corner radius, points
    int Columns = 0, Rows = 0;
    double X0 = 0, Y0 = 0, Dx = 0, Dy = 0;  // first label's corner and the steps, points
    // What a label sheet cannot hold exactly and is approximated ("round
    // labels drawn in their square", "2 layouts, the first one used").
    QStringList Approximations;
    QString File;  // the file it came from

    QString Name() const { return Brand + QLatin1Char(' ') + Part; }
    int PerSheet() const { return Columns * Rows; }
};

// The products of one template file, and the products left out because their
// numbers are missing or absurd (each named with the file and line). Refused,
// naming the file and line, when the XML is not well formed.
struct TLabelTemplateFile {
    std::vector<TLabelTemplate> Products;
    QStringList Skipped;
};
TOutcome<TLabelTemplateFile> ReadLabelTemplates(const QString& path);

// Where the products are read from: the system database and the user's
// folder (~/.config/Tavix/templates). TAGMORA_TEMPLATE_DIRS (folders separated
// by ':') replaces both, for tests and special set-ups.
QStringList LabelTemplateFolders();

// Every product of the folders' template files, sorted by brand and part, and
// what could not be read (files and products, each with its place).
struct TLabelTemplateSet {
    std::vector<TLabelTemplate> Products;
    QStringList Problems;
};
TLabelTemplateSet LoadLabelTemplates();

// The products whose brand, part or description hold every word of the search
// ("avery 2x4", "5163", "herma A4"), ignoring case; all for an empty search.
std::vector<TLabelTemplate> FindLabelTemplates(const std::vector<TLabelTemplate>& all, const QString& search);

// Label size, corner, layout, margins, gaps and paper of the product.
void ApplyLabelTemplate(TLabelPlan& plan, const TLabelTemplate& product);

// The product as a template file of its own, for the user's folder.
QByteArray LabelTemplateXml(const TLabelTemplate& product);
// The plan's sheet as a product.
TLabelTemplate LabelTemplateOf(const TLabelPlan& plan, const QString& brand, const QString& part,
                               const QString& description);
