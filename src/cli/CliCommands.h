// Subcommands of tagmora-cli. Each takes its parsed arguments and returns the
// process exit status; wrong arguments throw cli::UsageError, failures on a
// file cli::Failure. Each has one table of options.
#pragma once

#include "cli/Cli.h"

int CmdPlan(const cli::TArguments& args);
int CmdConvert(const cli::TArguments& args);
int CmdDatasheet(const cli::TArguments& args);
int CmdImport(const cli::TArguments& args);
int CmdPrint(const cli::TArguments& args);
int CmdBarcode(const cli::TArguments& args);
int CmdValidate(const cli::TArguments& args);
int CmdRender(const cli::TArguments& args);
int CmdTypes(const cli::TArguments& args);
int CmdTemplates(const cli::TArguments& args);
int CmdCalibration(const cli::TArguments& args);
int CmdHistory(const cli::TArguments& args);
int CmdReprint(const cli::TArguments& args);
int CmdWatch(const cli::TArguments& args);
int CmdServe(const cli::TArguments& args);

const cli::TOptions& PlanOptions();
const cli::TOptions& ConvertOptions();
const cli::TOptions& DatasheetOptions();
const cli::TOptions& ImportOptions();
const cli::TOptions& PrintOptions();
const cli::TOptions& BarcodeOptions();
const cli::TOptions& ValidateOptions();
const cli::TOptions& RenderOptions();
const cli::TOptions& TypesOptions();
const cli::TOptions& TemplatesOptions();
const cli::TOptions& CalibrationOptions();
const cli::TOptions& HistoryOptions();
const cli::TOptions& ReprintOptions();
const cli::TOptions& WatchOptions();
const cli::TOptions& ServeOptions();
