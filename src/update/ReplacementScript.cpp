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
    names.P = programFile;
    if (kind == ScriptKind::Batch) {
        names.P.replace(QLatin1Char('/'), sep);
    }
    const qsizetype cut = names.P.lastIndexOf(sep) + 1;
    names.N = names.P.mid(cut);
    names.A = names.P.left(cut);
    if (kind == ScriptKind::Batch) {
        names.A = names.A.toUpper();
    }
    names.S = updateSrc.endsWith(sep) ? updateSrc : updateSrc + sep;
    names.T = withExtension(
        names.P, kind == ScriptKind::Batch ? QStringLiteral(".bat") : QStringLiteral(".sh"), sep);
    return names;
}

QStringList batchFileLines(const UpdateNames& n, const QStringList& stagedOtherFiles,
                           bool autoRestart)
{
    const QString staged = n.A + QLatin1Char('_') + n.N;
    const QString saved = n.A + QLatin1Char('B') + n.N;
    QStringList lines{
        QStringLiteral("@Echo Off"),
        QStringLiteral(":again"),
        QStringLiteral("del ") + quoted(n.P),
        QStringLiteral("if exist ") + quoted(n.P) + QStringLiteral(" goto again"),
        QStringLiteral("copy ") + quoted(staged) + QLatin1Char(' ') + quoted(n.P),
        QStringLiteral("del ") + quoted(staged),
    };
    for (const QString& f : stagedOtherFiles) {
        const QString stagedFile = n.A + QLatin1Char('_') + f;
        lines << QStringLiteral("copy ") + quoted(stagedFile) + QLatin1Char(' ') + quoted(n.A + f)
              << QStringLiteral("del ") + quoted(stagedFile);
    }
    lines << QStringLiteral("if exist ") + quoted(n.P) + QStringLiteral(" goto finish")
          << QStringLiteral("copy ") + quoted(saved) + QLatin1Char(' ') + quoted(n.P)
          << QStringLiteral(":finish") << QStringLiteral("del ") + quoted(saved);
    if (autoRestart) {
        lines << QStringLiteral("call ") + quoted(n.P);
    }
    lines << QStringLiteral("del ") + quoted(n.T);
    return lines;
}

QStringList shellScriptLines(const UpdateNames& n, const QStringList& stagedOtherFiles,
                             bool autoRestart, qint64 processId)
{
    const QString program = shellWord(n.P);
    const QString staged = shellWord(n.A + QLatin1Char('_') + n.N);
    const QString saved = shellWord(n.A + QLatin1Char('B') + n.N);
    QStringList lines{
        QStringLiteral("#!/bin/sh"),
        QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done").arg(processId),
        QStringLiteral("rm -f ") + program,
        QStringLiteral("cp ") + staged + QLatin1Char(' ') + program + QStringLiteral(" || rm -f ") +
            program,
        QStringLiteral("rm -f ") + staged,
    };
    for (const QString& f : stagedOtherFiles) {
        const QString stagedFile = shellWord(n.A + QLatin1Char('_') + f);
        lines << QStringLiteral("cp ") + stagedFile + QLatin1Char(' ') + shellWord(n.A + f)
              << QStringLiteral("rm -f ") + stagedFile;
    }
    lines << QStringLiteral("if [ ! -e ") + program + QStringLiteral(" ]; then cp ") + saved +
                 QLatin1Char(' ') + program + QStringLiteral("; fi")
          << QStringLiteral("rm -f ") + saved;
    if (autoRestart) {
        lines << program + QStringLiteral(" </dev/null >/dev/null 2>&1 &");
    }
    lines << QStringLiteral("rm -f ") + shellWord(n.T);
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
