// The desktop program's printer: the CUPS printer with Qt's page setup and
// printer dialogs, and each queue's paper and resolution as Qt Print Support
// reads them from its driver.
#pragma once

#include "document/CupsPrinter.h"

class QPrinter;

class TQtPrinter : public TCupsPrinter {
public:
    bool ExecuteSetupDialog(QWidget* parent) override;
    bool HasPropertiesDialog() const override { return !Printers().isEmpty(); }
    bool ExecutePropertiesDialog(QWidget* parent, int& copies) override;

protected:
    TPrintDevice DeviceDefaults(const QString& name) const override;

private:
    // A QPrinter of the current queue holding its settings; the settings
    // taken back from it after a dialog.
    static void ToQPrinter(const TPrintDevice& device, QPrinter& printer);
    static void FromQPrinter(QPrinter& printer, TPrintDevice& device);
};
