#include "cashbooks/RestoreJournal.h"

#include "data/AtomicFile.h"
#include "data/Errors.h"
#include "data/PlatformFiles.h"
#include "data/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace tamevo {

namespace {

const QString kJournalFile = QStringLiteral("GeriYukleme.jnl");
const QString kLockFile = QStringLiteral("GeriYukleme.kilit");

const QString kAnotherRestoreRunning = QStringLiteral(
    "Programın başka bir kopyası şu anda yedekten geri yükleme yapıyor.\n\rO bitince yeniden "
    "deneyin.");
const QString kUnfinishedRestore = QStringLiteral(
    "Yarıda kalmış bir geri yükleme var.\n\rProgramı kapatıp yeniden açın; yarıda kalan geri "
    "yükleme açılışta tamamlanır.");

QString journalPath()
{
    return GetPathPath() + kJournalFile;
}

// Paths in the journal are relative to the program folder, so a folder moved as a whole
// keeps its journal.
QString relativePath(const QString& path)
{
    return QDir(GetPathPath()).relativeFilePath(path);
}

QString absolutePath(const QJsonValue& value)
{
    const QString path = value.toString();
    return path.isEmpty() ? QString() : QDir::cleanPath(QDir(GetPathPath()).absoluteFilePath(path));
}

struct StageName {
    RestoreJournal::Stage stage;
    const char* name;
};
constexpr StageName kStageNames[] = {
    {RestoreJournal::Stage::Unpacking, "aciliyor"},
    {RestoreJournal::Stage::Replacing, "degistiriliyor"},
    {RestoreJournal::Stage::PuttingBack, "geriAliniyor"},
    {RestoreJournal::Stage::CleaningUp, "temizleniyor"},
};

QJsonObject fileObject(const ReplacedFile& file)
{
    QJsonArray companions;
    for (const auto& [companion, kept] : file.companions) {
        companions.append(QJsonArray{relativePath(companion), relativePath(kept)});
    }
    return QJsonObject{
        {QStringLiteral("hedef"), relativePath(file.target)},
        {QStringLiteral("yeni"), relativePath(file.unpacked)},
        {QStringLiteral("onceki"), file.kept.isEmpty() ? QString() : relativePath(file.kept)},
        {QStringLiteral("eslikciler"), companions},
    };
}

ReplacedFile fileFrom(const QJsonObject& object)
{
    ReplacedFile file{absolutePath(object.value(QStringLiteral("hedef"))),
                      absolutePath(object.value(QStringLiteral("yeni"))),
                      absolutePath(object.value(QStringLiteral("onceki"))),
                      {}};
    for (const QJsonValue& pair : object.value(QStringLiteral("eslikciler")).toArray()) {
        file.companions.append(
            {absolutePath(pair.toArray().at(0)), absolutePath(pair.toArray().at(1))});
    }
    return file;
}

struct Journal {
    RestoreJournal::Stage stage = RestoreJournal::Stage::None;
    QString archiveName;
    std::vector<ReplacedFile> files;
};

// The journal a stopped restore left; none when there is no journal. Throws Error for one
// that cannot be read: it was written whole, so it is not this program's.
std::optional<Journal> readJournal()
{
    QFile file(journalPath());
    if (!file.exists()) {
        return std::nullopt;
    }
    const auto unreadable = [&](const QString& reason) {
        return Error(QStringLiteral("Geri yükleme günlüğü okunamadı: %1\n\r%2")
                         .arg(QDir::toNativeSeparators(file.fileName()), reason));
    };
    if (!file.open(QIODevice::ReadOnly)) {
        throw unreadable(file.errorString());
    }
    QJsonParseError parseError{};
    const QJsonObject object = QJsonDocument::fromJson(file.readAll(), &parseError).object();
    if (parseError.error != QJsonParseError::NoError) {
        throw unreadable(parseError.errorString());
    }
    Journal journal;
    const QString stage = object.value(QStringLiteral("asama")).toString();
    for (const StageName& name : kStageNames) {
        if (stage == QLatin1String(name.name)) {
            journal.stage = name.stage;
        }
    }
    if (journal.stage == RestoreJournal::Stage::None) {
        throw unreadable(QStringLiteral("Bilinmeyen aşama: %1").arg(stage));
    }
    journal.archiveName = object.value(QStringLiteral("yedek")).toString();
    for (const QJsonValue& value : object.value(QStringLiteral("dosyalar")).toArray()) {
        journal.files.push_back(fileFrom(value.toObject()));
    }
    return journal;
}

// The copies of the journal cut by a stop while they were written
// (".GeriYukleme.jnl.XXXXXX").
QStringList cutJournalCopies()
{
    const QDir folder(GetPathPath());
    QStringList paths;
    for (const QString& name :
         folder.entryList({QStringLiteral(".") + kJournalFile + QStringLiteral(".??????")},
                          QDir::Files | QDir::Hidden)) {
        paths << folder.filePath(name);
    }
    return paths;
}

void removeCutJournalCopies()
{
    for (const QString& path : cutJournalCopies()) {
        QFile::remove(path);
    }
}

void configure(QLockFile& lock)
{
    // Only a lock whose program has ended is stale, however long a restore takes.
    lock.setStaleLockTime(0);
}

QString stoppedRestoreMessage(const Journal& journal, const QString& outcome)
{
    return QStringLiteral("Önceki çalışmada \"%1\" yedeğinden geri yükleme yarıda kalmıştı.\n\r%2")
        .arg(journal.archiveName, outcome);
}

}  // namespace

RestoreJournal::RestoreJournal(const QString& archiveName)
    : lock_(GetPathPath() + kLockFile), archiveName_(archiveName)
{
    configure(lock_);
    if (!lock_.tryLock(0)) {
        if (lock_.error() == QLockFile::LockFailedError) {
            throw ValidationError(kAnotherRestoreRunning);
        }
        throw Error(QStringLiteral("%1 oluşturulamadı.")
                        .arg(QDir::toNativeSeparators(GetPathPath() + kLockFile)));
    }
    if (QFileInfo::exists(journalPath())) {
        throw ValidationError(kUnfinishedRestore);
    }
}

RestoreJournal::~RestoreJournal()
{
    if (stage_ == Stage::Unpacking) {
        QFile::remove(journalPath());
    }
}

std::function<void()>& RestoreJournal::afterEachStep()
{
    static std::function<void()> hook;
    return hook;
}

void RestoreJournal::unpacking(const std::vector<const ZipExtraction*>& extractions)
{
    files_.clear();
    for (const ZipExtraction* extraction : extractions) {
        const QStringList targets = extraction->targets();
        const QStringList unpacked = extraction->unpackedFiles();
        for (int i = 0; i < targets.size(); ++i) {
            files_.push_back({targets[i], unpacked[i], {}, {}});
        }
    }
    write(Stage::Unpacking);
}

void RestoreJournal::replacing(const std::vector<ReplacedFile>& files)
{
    files_ = files;
    write(Stage::Replacing);
}

void RestoreJournal::puttingBack()
{
    write(Stage::PuttingBack);
}

void RestoreJournal::cleaningUp()
{
    write(Stage::CleaningUp);
}

void RestoreJournal::finished()
{
    if (!QFile::remove(journalPath())) {
        throw Error(QStringLiteral("%1 silinemedi.").arg(QDir::toNativeSeparators(journalPath())));
    }
    platform::flushFolder(GetPathPath());
    stage_ = Stage::None;
    stepDone();
}

void RestoreJournal::stepDone()
{
    if (afterEachStep()) {
        afterEachStep()();
    }
}

void RestoreJournal::write(Stage stage)
{
    QJsonArray files;
    for (const ReplacedFile& file : files_) {
        files.append(fileObject(file));
    }
    QString stageName;
    for (const StageName& name : kStageNames) {
        if (name.stage == stage) {
            stageName = QLatin1String(name.name);
        }
    }
    writeFileAtomically(journalPath(), QJsonDocument(QJsonObject{
                                                         {QStringLiteral("yedek"), archiveName_},
                                                         {QStringLiteral("asama"), stageName},
                                                         {QStringLiteral("dosyalar"), files},
                                                     })
                                           .toJson());
    stage_ = stage;
    stepDone();
}

QString finishInterruptedRestore()
{
    // The usual start: no journal, no cut copy of one and no lock a stopped restore left, so
    // nothing to finish or clean. The lock is taken only otherwise, since taking it writes a
    // file and waits for the disk.
    if (!QFileInfo::exists(journalPath()) && cutJournalCopies().isEmpty() &&
        !QFileInfo::exists(GetPathPath() + kLockFile)) {
        return {};
    }
    QLockFile lock(GetPathPath() + kLockFile);
    configure(lock);
    if (!lock.tryLock(0)) {
        // Another copy of the program is restoring now; its journal is not a stopped one.
        return {};
    }
    removeCutJournalCopies();
    const std::optional<Journal> journal = readJournal();
    if (!journal) {
        return {};
    }
    const auto failed = [&](const QString& reason) {
        return Error(QStringLiteral("Yarıda kalan geri yükleme tamamlanamadı.\n\r%1").arg(reason));
    };
    const int count = int(journal->files.size());
    QString outcome;
    switch (journal->stage) {
        case RestoreJournal::Stage::Unpacking:
            for (const ReplacedFile& file : journal->files) {
                QFile::remove(file.unpacked);
            }
            outcome = QStringLiteral(
                "Geri yükleme hiçbir dosyayı değiştirmeden durmuştu: bilgileriniz olduğu gibi "
                "duruyor; yarım kalan dosyalar silindi.");
            break;
        case RestoreJournal::Stage::Replacing:
            try {
                completeReplacement(journal->files);
            } catch (const Error& error) {
                throw failed(error.text());
            }
            syncTargetFolders(journal->files);
            removeReplaced(journal->files);
            outcome = QStringLiteral(
                          "Geri yükleme tamamlandı: yedekteki %1 dosyanın tümü yerine kondu; "
                          "artık dosyalar silindi.")
                          .arg(count);
            break;
        case RestoreJournal::Stage::PuttingBack: {
            const QStringList notBack = putBackReplaced(journal->files);
            if (!notBack.isEmpty()) {
                throw failed(QStringLiteral("Eski dosyalar geri konamadı: %1")
                                 .arg(notBack.join(QStringLiteral(", "))));
            }
            syncTargetFolders(journal->files);
            outcome = QStringLiteral(
                "Geri yükleme geri alındı: bilgileriniz geri yüklemeden önceki haliyle duruyor; "
                "artık dosyalar silindi.");
            break;
        }
        case RestoreJournal::Stage::CleaningUp:
        case RestoreJournal::Stage::None:
            removeReplaced(journal->files);
            outcome = QStringLiteral(
                          "Geri yükleme tamamlanmıştı: yedekteki %1 dosyanın tümü yerinde; artık "
                          "dosyalar silindi.")
                          .arg(count);
            break;
    }
    if (!QFile::remove(journalPath())) {
        throw failed(QStringLiteral("%1 silinemedi.").arg(QDir::toNativeSeparators(journalPath())));
    }
    platform::flushFolder(GetPathPath());
    return stoppedRestoreMessage(*journal, outcome);
}

}  // namespace tamevo
