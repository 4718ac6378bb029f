// Subcommands of tagmora-cli. Each takes the arguments after its own name and
// returns the process exit status; wrong arguments throw cli::UsageError.
#pragma once

#include <QStringList>

// plan FILE.blf: writes the label's plan text to stdout (CR LF lines).
int CmdPlan(const QStringList& args);
// convert IN.blf OUT.blf: opens a label file and saves it under another name.
int CmdConvert(const QStringList& args);
// datasheet FILE.blf [--csv]: the datasheet stream, or the data rows as CSV.
int CmdDatasheet(const QStringList& args);
// import FILE.blf DATA -o OUT.blf [--table NAME]: imports into the datasheet and saves.
int CmdImport(const QStringList& args);
// print FILE.blf (-o OUT.pdf | --printer NAME) [...]: runs the print job without dialogs.
int CmdPrint(const QStringList& args);
// barcode --type T --text TEXT [--checksum] [--modul N] [--ratio R] (--pattern | -o OUT.png|OUT.svg [drawing options])
int CmdBarcode(const QStringList& args);
// validate --type T [--checksum] TEXT...
int CmdValidate(const QStringList& args);
// render FILE.blf -o OUT.png|OUT.svg|OUT.pdf [--dpi N]
int CmdRender(const QStringList& args);
