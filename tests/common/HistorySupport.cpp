#include "common/HistorySupport.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace historytest {

QStringList Stores(const QTemporaryDir& dir)
{
    static int made = 0;
    QStringList stores{dir.filePath(QStringLiteral("history%1.sqlite").arg(++made))};
    const QString server = qEnvironmentVariable("TAGMORA_TEST_POSTGRES");
    if (server.isEmpty())
        return stores;
    QUrl url(server);
    const QString name = QStringLiteral("tagmora_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(made);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("historytest"));
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setDatabaseName(url.path().mid(1));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        if (!db.open()) {
            ADD_FAILURE() << "TAGMORA_TEST_POSTGRES " << server.toStdString() << ": "
                          << db.lastError().text().toStdString();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("CREATE DATABASE %1").arg(name)))
                ADD_FAILURE() << q.lastError().text().toStdString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("historytest"));
    url.setPath(QLatin1Char('/') + name);
    stores << url.toString();
    return stores;
}

}  // namespace historytest
