// The print history tests run on every database the store takes: an SQLite
// file always, and PostgreSQL when TAGMORA_TEST_POSTGRES names a server
// (postgresql://user@host:port/database, as scripts/with-postgres.sh sets it).
#pragma once

#include <QString>
#include <QStringList>

class QTemporaryDir;

namespace historytest {

// An SQLite file in dir and, with a PostgreSQL server, a database of its own
// made on it for this test.
QStringList Stores(const QTemporaryDir& dir);

}  // namespace historytest
