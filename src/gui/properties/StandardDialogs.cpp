#include "gui/properties/StandardDialogs.h"

#include <QColorDialog>
#include <QFontDialog>

namespace {

TColorChooser& ColorChooser()
{
    static TColorChooser chooser;
    return chooser;
}

TFontChooser& FontChooser()
{
    static TFontChooser chooser;
    return chooser;
}

}  // namespace

bool ChooseColor(QColor& color, QWidget* parent)
{
    if (ColorChooser())
        return ColorChooser()(color, parent);
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

bool ChooseFont(QFont& font, QWidget* parent)
{
    if (FontChooser())
        return FontChooser()(font, parent);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (ok)
        font = chosen;
    return ok;
}

void SetColorChooser(TColorChooser chooser)
{
    ColorChooser() = std::move(chooser);
}

void SetFontChooser(TFontChooser chooser)
{
    FontChooser() = std::move(chooser);
}
