// TPlanPicture: a picture stretched into its box. The picture is embedded as
// hex text of its file stream, or refers to a standard picture of the document
// by name ("Graphic=%NAME%"); DataValue may name a picture file.
#pragma once

#include "document/DataOrigin.h"
#include "document/PictureData.h"
#include "document/ShapeObjects.h"

class TPlanPicture : public TPlanBox {
public:
    explicit TPlanPicture(TLabelPlan* plan);

    TPlanPictureData Picture;
    QString StandardPictureName;   // upper case; empty when embedded or from a file
    QString DataValue;             // path of a picture file
    QString DataExpression;        // column caption (data origin 1), kept only
    uint8_t DataOrigin = doConstant;

    // Sets DataValue; when it changed, loads the picture file it names (the
    // picture is empty when there is none or it cannot be loaded).
    void SetFileName(const QString& path);
    void SetDataExpression(const QString& expression);
    // Takes the content of the document's standard picture of that name.
    void SetStandardPicture(const QString& name);
    bool IsTransparent() const { return !Picture.IsEmpty() && Picture.Transparent; }

    QString GetTypeName() const override;
    void StoreProperties() override;
    TLabelObject* Duplicate(TLabelObject* parent) override;
    void Draw(QPainter& canvas) override;
    void Release() override;
    bool IsKnownProperty(const QString& key) const override;
    void LoadProperties() override;

private:
    // The picture's share of the document's picture budget: taken when it is
    // read (a picture that does not fit is refused), given back when it goes.
    void TakeBudgetShare();
    void GiveBudgetShare();
    QByteArray FBudgetKey;
};

// One line for each picture object of the document whose embedded picture
// cannot be read ("picture 3 could not be read: took too long") or is read
// only in part ("picture 3 could not be read in full: ..."), numbered among
// the document's picture objects from 1 in layer and drawing order. Pictures
// that cannot be read draw as placeholders on screen and as nothing in output.
QStringList UnreadablePictures(TLabelPlan& plan);
// The picture objects of the document.
int PictureCount(TLabelPlan& plan);
