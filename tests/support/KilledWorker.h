#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

#include <signal.h>

namespace tamevo::test {

// Starts the test's own program as a worker with `arguments`, waits for its "ready" line, lets
// it work for `workMs` and kills it with SIGKILL, as a power cut stops the program. Fails the
// test when the worker does not start or stops by itself; its error output then says why.
inline void killWorkerAfter(const QStringList& arguments, int workMs)
{
    QProcess worker;
    worker.start(QCoreApplication::applicationFilePath(), arguments);
    ASSERT_TRUE(worker.waitForStarted(30000));
    while (!worker.readAllStandardOutput().contains("ready")) {
        ASSERT_TRUE(worker.waitForReadyRead(60000))
            << "the worker did not start: " << worker.readAllStandardError().toStdString();
    }
    QThread::msleep(workMs);
    ASSERT_EQ(worker.state(), QProcess::Running)
        << "the worker stopped by itself: " << worker.readAllStandardError().toStdString();
    ::kill(pid_t(worker.processId()), SIGKILL);
    ASSERT_TRUE(worker.waitForFinished(30000));
    ASSERT_EQ(worker.exitStatus(), QProcess::CrashExit)
        << "the worker stopped by itself (" << worker.exitCode()
        << "): " << worker.readAllStandardError().toStdString();
}

}  // namespace tamevo::test
