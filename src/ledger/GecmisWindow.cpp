#include "ledger/GecmisWindow.h"

#include "data/Dialogs.h"
#include "data/DisplayFormat.h"
#include "data/JournalUpkeep.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "ledger/MovementJournal.h"
#include "widgets/DatasetModel.h"
#include "widgets/WindowKit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

namespace tamevo {

namespace {

// The kinds the "Tür" box offers, in its order.
const std::array<std::pair<const char*, std::optional<JournalKind>>, 4> kKinds{{
    {"Hepsi", std::nullopt},
    {"Silinen", JournalKind::Deleted},
    {"Değişen", JournalKind::Changed},
    {"Geri Gelen", JournalKind::BroughtBack},
}};

const QColor kChangedCell(255, 205, 205);

QString amountText(const QVariant& value)
{
    return formatField(value, QStringLiteral("#,##0.00"));
}

}  // namespace

TgecmisF::TgecmisF(Session& session, Ledger& ledger)
    : session_(session),
      ledger_(ledger),
      entries_(session.kasaConnection, QStringLiteral("gecmisQuery"))
{
    setObjectName(QStringLiteral("gecmisF"));
    entries_.setDateField(QStringLiteral("islem_tarihi"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı - Silinen / Değişen Hareketler"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* filters = new QHBoxLayout;
    fromDate = new QDateEdit;
    fromDate->setObjectName(QStringLiteral("baslangicDate"));
    toDate = new QDateEdit;
    toDate->setObjectName(QStringLiteral("bitisDate"));
    for (QDateEdit* date : {fromDate, toDate}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    }
    kindBox = new QComboBox;
    kindBox->setObjectName(QStringLiteral("turBox"));
    for (const auto& [caption, kind] : kKinds) {
        kindBox->addItem(QString::fromUtf8(caption));
    }
    keepDaysBox = new QSpinBox;
    keepDaysBox->setObjectName(QStringLiteral("saklamaBox"));
    keepDaysBox->setRange(0, kMaxJournalKeepingDays);
    keepDaysBox->setSuffix(QStringLiteral(" gün"));
    keepDaysBox->setSpecialValueText(QStringLiteral("Bütün çalışma yılı"));
    keepDaysBox->setMinimumWidth(
        keepDaysBox->fontMetrics().horizontalAdvance(keepDaysBox->specialValueText()) + 40);
    filters->addWidget(makeCaption(QStringLiteral("Başlangıç"), fromDate));
    filters->addWidget(fromDate);
    filters->addWidget(makeCaption(QStringLiteral("Bitiş"), toDate));
    filters->addWidget(toDate);
    filters->addWidget(makeCaption(QStringLiteral("Tür"), kindBox));
    filters->addWidget(kindBox);
    filters->addStretch();
    filters->addWidget(makeCaption(QStringLiteral("Saklama Süresi"), keepDaysBox));
    filters->addWidget(keepDaysBox);
    layout->addLayout(filters);

    entryGrid = makeListGrid(QStringLiteral("gecmisGrid"),
                             QStringLiteral("Silinen / Değişen Hareketler"), 20);
    auto* model = new DatasetModel(entries_, this);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    model->addColumn(QStringLiteral("zaman"), QStringLiteral("Ne Zaman"), [](const QVariant& v) {
        const QDateTime at =
            QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return at.isValid() ? at.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) : v.toString();
    });
    model->addColumn(QStringLiteral("islem"), QStringLiteral("Ne Oldu"));
    model->addColumn(QStringLiteral("bilgisayar"), QStringLiteral("Bilgisayar"));
    model->addColumn(QStringLiteral("kullanici"), QStringLiteral("Kullanıcı"));
    model->addColumn(QStringLiteral("islem_tarihi"), QStringLiteral("Tarih"));
    model->addColumn(QStringLiteral("doviz_cinsi"), QStringLiteral("PB"));
    model->addColumn(QStringLiteral("borc_tutar"), QStringLiteral("Giren"), amountText, right);
    model->addColumn(QStringLiteral("alacak_tutar"), QStringLiteral("Çıkan"), amountText, right);
    model->addColumn(
        QStringLiteral("doviz_kuru"), QStringLiteral("D.Kuru"),
        [](const QVariant& v) { return formatField(v, QStringLiteral("#,##0.0000")); }, right);
    model->addColumn(QStringLiteral("aciklama"), QStringLiteral("Açıklama"));
    model->addColumn(QStringLiteral("neden"), QStringLiteral("İşlem Türü"));
    model->addColumn(QStringLiteral("bankaadi"), QStringLiteral("Kaynak"));
    // A change marks the cells it touched; the entry shows the values before it.
    model->setCellStyle([](const DatasetRow& row, const QString& field) {
        const QStringList changed =
            row.value(QStringLiteral("degisen")).toString().split(QLatin1Char(','));
        return changed.contains(field) ? CellStyle{kChangedCell, {}} : CellStyle{};
    });
    bindTableView(*entryGrid, *model);
    // Widths for the values the columns hold, so a 1366-pixel screen shows every column.
    const int widths[] = {150, 85, 90, 90, 80, 45, 90, 90, 70, 240, 110, 100};
    for (int column = 0; column < model->columnCount(); ++column) {
        entryGrid->setColumnWidth(column, widths[column]);
    }
    layout->addWidget(entryGrid, 1);

    auto* buttons = new QHBoxLayout;
    bringBackButton = makeButton(QStringLiteral("geriAlBut"), QStringLiteral("GERİ AL"));
    closeButton = makeButton(QStringLiteral("kapatBut"), QStringLiteral("KAPAT"));
    buttons->addStretch();
    buttons->addWidget(bringBackButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(1290, 520);

    setTabOrder(fromDate, toDate);
    setTabOrder(toDate, kindBox);
    setTabOrder(kindBox, keepDaysBox);
    setTabOrder(keepDaysBox, entryGrid);
    setTabOrder(entryGrid, bringBackButton);
    setTabOrder(bringBackButton, closeButton);

    connect(fromDate, &QDateEdit::dateChanged, this, [this] { listEntries(); });
    connect(toDate, &QDateEdit::dateChanged, this, [this] { listEntries(); });
    connect(kindBox, &QComboBox::currentIndexChanged, this, [this] { listEntries(); });
    connect(keepDaysBox, &QSpinBox::valueChanged, this,
            [this](int days) { keepDaysChanged(days); });
    connect(bringBackButton, &QPushButton::clicked, this, [this] { bringBackEntry(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    connect(&ledger_, &Ledger::movementsChanged, this, [this] {
        if (isVisible()) {
            listEntries();
        }
    });
    // Another year's file has its own journal.
    connect(&ledger_, &Ledger::bookSwitched, this, [this] {
        if (isVisible()) {
            showJournal();
        }
    });
}

void TgecmisF::showJournal()
{
    guarded([this] {
        QSqlDatabase db = session_.kasaConnection.database();
        const auto [first, last] = journalDays(db);
        const QDate today = QDate::currentDate();
        const QSignalBlocker fromBlocker(fromDate);
        const QSignalBlocker toBlocker(toDate);
        const QSignalBlocker keepBlocker(keepDaysBox);
        fromDate->setDate(first.isValid() ? first : today);
        toDate->setDate(last.isValid() && last > today ? last : today);
        keepDaysBox->setValue(journalKeepingDays());
    });
    listEntries();
    show();
    raise();
    activateWindow();
    entryGrid->setFocus();
}

void TgecmisF::listEntries()
{
    guarded([this] {
        const JournalFilter filter{fromDate->date(), toDate->date(),
                                   kKinds.at(std::max(0, kindBox->currentIndex())).second};
        useStatement(entries_, journalStatement(filter));
    });
}

void TgecmisF::bringBackEntry()
{
    if (!entries_.isOpen() || entries_.currentIndex() < 0) {
        return;
    }
    const qint64 gid = entries_.value(QStringLiteral("gid")).toLongLong();
    guarded([this, gid] {
        QSqlDatabase db = session_.kasaConnection.database();
        const JournalEntry entry = readJournalEntry(db, gid);
        const QString question = journalQuestion(entry);
        if (!question.isEmpty() &&
            askBeforeReplacing(kApplicationTitle, question) != Dialogs::Answer::Yes) {
            return;
        }
        ledger_.bringBack(entry);
    });
    listEntries();
}

void TgecmisF::keepDaysChanged(int days)
{
    guarded([days] { setJournalKeepingDays(days); });
}

}  // namespace tamevo
