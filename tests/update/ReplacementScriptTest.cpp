#include "update/ReplacementScript.h"

#include <gtest/gtest.h>

using namespace tamevo;

namespace {

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts) {
        list << QString::fromUtf8(t);
    }
    return list;
}

}  // namespace

TEST(ReplacementScriptTest, NamesOfARunFollowTheScriptKind)
{
    const UpdateNames batch = updateNames(QStringLiteral("C:\\Prog\\Tamevo.exe"),
                                          QStringLiteral("Yedek/"), ScriptKind::Batch);
    EXPECT_EQ(batch.P, QStringLiteral("C:\\Prog\\Tamevo.exe"));
    EXPECT_EQ(batch.N, QStringLiteral("Tamevo.exe"));
    EXPECT_EQ(batch.A, QStringLiteral("C:\\PROG\\"));
    EXPECT_EQ(batch.S, QStringLiteral("Yedek/\\"));
    EXPECT_EQ(batch.T, QStringLiteral("C:\\Prog\\Tamevo.bat"));

    const UpdateNames shell = updateNames(QStringLiteral("/opt/Kasa.d/Tamevo"),
                                          QStringLiteral("Yedek"), ScriptKind::Shell);
    EXPECT_EQ(shell.N, QStringLiteral("Tamevo"));
    EXPECT_EQ(shell.A, QStringLiteral("/opt/Kasa.d/"));
    EXPECT_EQ(shell.S, QStringLiteral("Yedek/"));
    EXPECT_EQ(shell.T, QStringLiteral("/opt/Kasa.d/Tamevo.sh"));
}

TEST(ReplacementScriptTest, BatchFileLineForLine)
{
    const UpdateNames names = updateNames(QStringLiteral("C:\\Prog\\Tamevo.exe"),
                                          QStringLiteral("Yedek/"), ScriptKind::Batch);
    const struct {
        QStringList stagedOtherFiles;
        bool autoRestart;
        QStringList expected;
    } cases[] = {
        {{},
         true,
         lines({
             R"(@Echo Off)",
             R"(:again)",
             R"(del "C:\Prog\Tamevo.exe")",
             R"(if exist "C:\Prog\Tamevo.exe" goto again)",
             R"(copy "C:\PROG\_Tamevo.exe" "C:\Prog\Tamevo.exe")",
             R"(del "C:\PROG\_Tamevo.exe")",
             R"(if exist "C:\Prog\Tamevo.exe" goto finish)",
             R"(copy "C:\PROG\BTamevo.exe" "C:\Prog\Tamevo.exe")",
             R"(:finish)",
             R"(del "C:\PROG\BTamevo.exe")",
             R"(call "C:\Prog\Tamevo.exe")",
             R"(del "C:\Prog\Tamevo.bat")",
         })},
        {{QStringLiteral("Rapor.dll"), QStringLiteral("Yardım.pdf")},
         false,
         lines({
             R"(@Echo Off)",
             R"(:again)",
             R"(del "C:\Prog\Tamevo.exe")",
             R"(if exist "C:\Prog\Tamevo.exe" goto again)",
             R"(copy "C:\PROG\_Tamevo.exe" "C:\Prog\Tamevo.exe")",
             R"(del "C:\PROG\_Tamevo.exe")",
             R"(copy "C:\PROG\_Rapor.dll" "C:\PROG\Rapor.dll")",
             R"(del "C:\PROG\_Rapor.dll")",
             R"(copy "C:\PROG\_Yardım.pdf" "C:\PROG\Yardım.pdf")",
             R"(del "C:\PROG\_Yardım.pdf")",
             R"(if exist "C:\Prog\Tamevo.exe" goto finish)",
             R"(copy "C:\PROG\BTamevo.exe" "C:\Prog\Tamevo.exe")",
             R"(:finish)",
             R"(del "C:\PROG\BTamevo.exe")",
             R"(del "C:\Prog\Tamevo.bat")",
         })},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(batchFileLines(names, c.stagedOtherFiles, c.autoRestart), c.expected)
            << c.stagedOtherFiles.join(QLatin1Char(',')).toStdString();
    }
    EXPECT_TRUE(scriptFileContent(ScriptKind::Batch,
                                  {QStringLiteral("@Echo Off"), QStringLiteral(":again")}) ==
                "@Echo Off\r\n:again\r\n");
}
