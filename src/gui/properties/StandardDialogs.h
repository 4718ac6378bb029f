// The colour and font dialogs the properties windows open, behind hooks so
// that tests (or another front end) can answer them. The page setup dialog
// goes through the printer (TPrinter::ExecuteSetupDialog).
#pragma once

#include <QColor>
#include <QFont>

#include <functional>

class QWidget;

// Each returns true and sets the value when the user confirmed the dialog.
using TColorChooser = std::function<bool(QColor& color, QWidget* parent)>;
using TFontChooser = std::function<bool(QFont& font, QWidget* parent)>;

bool ChooseColor(QColor& color, QWidget* parent);
bool ChooseFont(QFont& font, QWidget* parent);

// Replaces a dialog; an empty function restores Qt's QColorDialog/QFontDialog.
void SetColorChooser(TColorChooser chooser);
void SetFontChooser(TFontChooser chooser);
