#include "update/ReplacementScript.h"

namespace tamevo {

namespace {

QChar separator(ScriptKind kind)
{
    return kind == ScriptKind::Batch ? QLatin1Char('\\') : QLatin1Char('/');
}

// The path with its extension (from the last dot of the file name on) replaced.
QString withExtension(const QString& path, const QString& extension, QChar sep)
{
    const qsizetype name = path.lastIndexOf(sep) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot >= name ? path.left(dot) : path) + extension;
}

QString quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// A path as one word of a shell command: in single quotes, quotes inside closed and escaped.
QString shellWord(const QString& path)
{
    QString text = path;
    text.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

}  // namespace

ScriptKind nativeScriptKind()
{
#ifdef Q_OS_WIN
    return ScriptKind::Batch;
#else
    return ScriptKind::Shell;
#endif
}

UpdateNames updateNames(const QString& programFile, const QString& updateSrc, ScriptKind kind)
{
    const QChar sep = separator(kind);
    UpdateNames names;
    names.programPath = programFile;
    if (kind == ScriptKind::Batch) {
        names.programPath.replace(QLatin1Char('/'), sep);
    }
    const qsizetype cut = names.programPath.lastIndexOf(sep) + 1;
    names.programName = names.programPath.mid(cut);
    names.programFolder = names.programPath.left(cut);
    if (kind == ScriptKind::Batch) {
        names.programFolder = names.programFolder.toUpper();
    }
    names.sourceFolder = updateSrc.endsWith(sep) ? updateSrc : updateSrc + sep;
    names.scriptPath = withExtension(
        names.programPath,
        kind == ScriptKind::Batch ? QStringLiteral(".bat") : QStringLiteral(".sh"), sep);
    return names;
}

QStringList batchFileLines(const UpdateNames& n, const QStringList& stagedOtherFiles,
                           bool autoRestart)
{
    const QString staged = n.programFolder + QLatin1Char('_') + n.programName;
    const QString saved = n.programFolder + QLatin1Char('B') + n.programName;
    QStringList lines{
        QStringLiteral("@Echo Off"),
        QStringLiteral(":again"),
        QStringLiteral("del ") + quoted(n.programPath),
        QStringLiteral("if exist ") + quoted(n.programPath) + QStringLiteral(" goto again"),
        QStringLiteral("copy ") + quoted(staged) + QLatin1Char(' ') + quoted(n.programPath),
        QStringLiteral("del ") + quoted(staged),
    };
    for (const QString& f : stagedOtherFiles) {
        const QString stagedFile = n.programFolder + QLatin1Char('_') + f;
        lines << QStringLiteral("copy ") + quoted(stagedFile) + QLatin1Char(' ') +
                     quoted(n.programFolder + f)
              << QStringLiteral("del ") + quoted(stagedFile);
    }
    lines << QStringLiteral("if exist ") + quoted(n.programPath) + QStringLiteral(" goto finish")
          << QStringLiteral("copy ") + quoted(saved) + QLatin1Char(' ') + quoted(n.programPath)
          << QStringLiteral(":finish") << QStringLiteral("del ") + quoted(saved);
    if (autoRestart) {
        lines << QStringLiteral("call ") + quoted(n.programPath);
    }
    lines << QStringLiteral("del ") + quoted(n.scriptPath);
    return lines;
}

QStringList shellScriptLines(const UpdateNames& n, const QStringList& stagedOtherFiles,
                             bool autoRestart, qint64 processId)
{
    const QString program = shellWord(n.programPath);
    const QString staged = shellWord(n.programFolder + QLatin1Char('_') + n.programName);
    const QString saved = shellWord(n.programFolder + QLatin1Char('B') + n.programName);
    QStringList lines{
        QStringLiteral("#!/bin/sh"),
        QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done").arg(processId),
        QStringLiteral("rm -f ") + program,
        QStringLiteral("cp ") + staged + QLatin1Char(' ') + program + QStringLiteral(" || rm -f ") +
            program,
        QStringLiteral("rm -f ") + staged,
    };
    for (const QString& f : stagedOtherFiles) {
        const QString stagedFile = shellWord(n.programFolder + QLatin1Char('_') + f);
        lines << QStringLiteral("cp ") + stagedFile + QLatin1Char(' ') +
                     shellWord(n.programFolder + f)
              << QStringLiteral("rm -f ") + stagedFile;
    }
    lines << QStringLiteral("if [ ! -e ") + program + QStringLiteral(" ]; then cp ") + saved +
                 QLatin1Char(' ') + program + QStringLiteral("; fi")
          << QStringLiteral("rm -f ") + saved;
    if (autoRestart) {
        lines << program + QStringLiteral(" </dev/null >/dev/null 2>&1 &");
    }
    lines << QStringLiteral("rm -f ") + shellWord(n.scriptPath);
    return lines;
}

QByteArray scriptFileContent(ScriptKind kind, const QStringList& lines)
{
    if (kind == ScriptKind::Batch) {
        return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLocal8Bit();
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

}  // namespace tamevo
