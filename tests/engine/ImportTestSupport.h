// Helpers of the import tests.
#pragma once

#include "common/MemoryCellGrid.h"
#include "common/TestSupport.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#ifdef TAGMORA_HAVE_QUAZIP
#include <quazip.h>
#include <quazipfile.h>
#endif

namespace importtest {

using TRows = QList<QStringList>;

// A file in a temporary folder that lives as long as the object.
class TTempFiles {
public:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = FDir.filePath(name);
        EXPECT_TRUE(testsupport::WriteFile(path, bytes)) << path.toStdString();
        return path;
    }
    QString Path(const QString& name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
};

inline std::string Show(const TRows& rows)
{
    std::string s;
    for (const QStringList& r : rows)
        s += "[" + r.join(QStringLiteral("|")).toStdString() + "]\n";
    return s;
}

// The message of the EImportError (or other std::exception) `load` throws;
// empty when it throws nothing.
inline QString ErrorOf(const std::function<void()>& load)
{
    try {
        load();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

#ifdef TAGMORA_HAVE_QUAZIP
// Writes a zip package with these parts (name, content), in this order.
inline bool WriteZip(const QString& path, const QList<QPair<QString, QByteArray>>& parts)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [name, content] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)) || file.write(content) != content.size())
            return false;
        file.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}
#endif

}  // namespace importtest
