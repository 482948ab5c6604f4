#pragma once

// Helpers of the backup tests: the system's own unzip tool reads the archives, files are
// read and written whole, and a file-size limit makes writes fail as on a full disk (the
// tests run as root, whom permission bits do not stop).

#include "support/FileSizeLimit.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace tamevo::test {

struct ToolResult {
    int exitCode = -1;
    QString output;
};

inline ToolResult runUnzip(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("unzip"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << "unzip did not finish";
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

// The stored names of an archive, as unzip lists them, sorted.
inline QStringList archiveNames(const QString& archive)
{
    const ToolResult listing = runUnzip({QStringLiteral("-Z1"), archive});
    EXPECT_EQ(listing.exitCode, 0) << listing.output.toStdString();
    QStringList names = listing.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    names.sort();
    return names;
}

// The bytes of one entry of an archive, as unzip gives them.
inline QByteArray archivedBytes(const QString& archive, const QString& entry)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, entry});
    EXPECT_TRUE(process.waitForFinished(60000)) << "unzip did not finish";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// unzip -t: every entry reads back with its checksum.
inline bool unzipAccepts(const QString& archive)
{
    const ToolResult test = runUnzip({QStringLiteral("-tq"), archive});
    EXPECT_EQ(test.exitCode, 0) << test.output.toStdString();
    return test.exitCode == 0;
}

// The compression methods unzip reports for the entries ("Defl:X" is deflate at the
// highest level), one per entry.
inline QStringList compressionMethods(const QString& archive)
{
    const ToolResult verbose = runUnzip({QStringLiteral("-v"), archive});
    QStringList methods;
    for (const QString& line : verbose.output.split(QLatin1Char('\n'))) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        if (columns.size() >= 8 && columns[1].contains(QLatin1Char(':'))) {
            methods << columns[1];
        }
    }
    return methods;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

inline void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Bytes that deflate cannot shrink, so an archive of them is as large as they are.
inline QByteArray incompressible(int size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = seed | 1u;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x >> 24);
    }
    return bytes;
}

// The entries of a folder (hidden ones too), sorted: temporary files left behind show here.
inline QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

}  // namespace tamevo::test
