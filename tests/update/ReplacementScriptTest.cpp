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
    const struct {
        ScriptKind kind;
        const char* program;
        const char* updateSrc;
        const char* P;
        const char* N;
        const char* A;
        const char* S;
        const char* T;
    } cases[] = {
        {ScriptKind::Batch, "C:/Prog/Tamevo.exe", "Yedek/", R"(C:\Prog\Tamevo.exe)", "Tamevo.exe",
         R"(C:\PROG\)", R"(Yedek/\)", R"(C:\Prog\Tamevo.bat)"},
        {ScriptKind::Shell, "/opt/Kasa.d/Tamevo", "Yedek", "/opt/Kasa.d/Tamevo", "Tamevo",
         "/opt/Kasa.d/", "Yedek/", "/opt/Kasa.d/Tamevo.sh"},
    };
    for (const auto& c : cases) {
        const UpdateNames n =
            updateNames(QString::fromUtf8(c.program), QString::fromUtf8(c.updateSrc), c.kind);
        EXPECT_EQ(QStringList({n.programPath, n.programName, n.programFolder, n.sourceFolder,
                               n.scriptPath}),
                  lines({c.P, c.N, c.A, c.S, c.T}))
            << c.program;
    }
}

TEST(ReplacementScriptTest, BatchFileLineForLine)
{
    const UpdateNames names = updateNames(QStringLiteral("C:\\Prog\\Tamevo.exe"),
                                          QStringLiteral("Yedek/"), ScriptKind::Batch);
    const QStringList plain = lines({
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
    });
    EXPECT_EQ(batchFileLines(names, {}, true), plain);

    // Staged other files are copied in place after the program, in list order; without the
    // restart the call line goes.
    QStringList withOthers = plain.mid(0, 6) +
                             lines({
                                 R"(copy "C:\PROG\_Rapor.dll" "C:\PROG\Rapor.dll")",
                                 R"(del "C:\PROG\_Rapor.dll")",
                                 R"(copy "C:\PROG\_Yardım.pdf" "C:\PROG\Yardım.pdf")",
                                 R"(del "C:\PROG\_Yardım.pdf")",
                             }) +
                             plain.mid(6);
    withOthers.removeAll(QStringLiteral(R"(call "C:\Prog\Tamevo.exe")"));
    EXPECT_EQ(
        batchFileLines(names, {QStringLiteral("Rapor.dll"), QStringLiteral("Yardım.pdf")}, false),
        withOthers);
    EXPECT_TRUE(scriptFileContent(ScriptKind::Batch,
                                  {QStringLiteral("@Echo Off"), QStringLiteral(":again")}) ==
                "@Echo Off\r\n:again\r\n");
}
