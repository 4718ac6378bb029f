// Subcommands of tagmora-cli. Each takes the arguments after its own name and
// returns the process exit status; wrong arguments throw cli::UsageError.
#pragma once

#include <QStringList>
