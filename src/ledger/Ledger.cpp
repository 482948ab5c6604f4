#include "ledger/Ledger.h"

#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/Money.h"
#include "data/Session.h"
#include "ledger/BalanceQueries.h"
#include "ledger/MovementJournal.h"
#include "lists/ReferenceLists.h"
#include "reportengine/ReportData.h"

namespace tamevo {

namespace {

const QString kDay = QStringLiteral("islem_tarihi");
const QString kIn = QStringLiteral("borc_tutar");
const QString kOut = QStringLiteral("alacak_tutar");
const QString kRate = QStringLiteral("doviz_kuru");
const QString kCurrency = QStringLiteral("doviz_cinsi");

Money balanceOf(const DatasetRow& row)
{
    return Money::fromStored(row.value(QStringLiteral("BorcToplam"))) -
           Money::fromStored(row.value(QStringLiteral("AlacakToplam")));
}

}  // namespace

QDate startingDay(const QDate& today, int workingYear, const QDate& shownDay)
{
    if (today.year() == workingYear) {
        return today;
    }
    if (shownDay.isValid() && shownDay.year() == workingYear) {
        return shownDay;
    }
    return QDate(workingYear, 1, 1);
}

void checkMovementAmounts(const Money& in, const Money& out)
{
    if (in.isZero() && out.isZero()) {
        throw ValidationError(kNeedAmount);
    }
    if (in > Money() && out > Money()) {
        throw ValidationError(kBothSides);
    }
}

double amountOf(const QVariant& value)
{
    return value.isNull() ? 0.0 : value.toDouble();
}

Ledger::Ledger(Session& session)
    : session_(session),
      kasaRQuery(session.kasaConnection, QStringLiteral("kasaRQuery")),
      kasaTable(session.kasaConnection, QStringLiteral("kasaTable")),
      gunbasikasaQuery(session.kasaConnection, QStringLiteral("gunbasikasaQuery")),
      guniciQuery(session.kasaConnection, QStringLiteral("guniciQuery")),
      guntoplamtumuQuery(session.kasaConnection, QStringLiteral("guntoplamtumuQuery")),
      pickerDate_(QDate::currentDate())
{
    // Another desk's change is shown a tenth of a second after its notice, so a burst of
    // saves is read once.
    followTimer_.setSingleShot(true);
    followTimer_.setInterval(100);
    connect(&session.kasaConnection, &Connection::changedElsewhere, this, [this] {
        if (!followTimer_.isActive()) {
            followTimer_.start();
        }
    });
    connect(&followTimer_, &QTimer::timeout, this, &Ledger::followOtherDesks);

    kasaRQuery.setDateField(kDay);
    const Statement list = dateListStatement(QStringLiteral("TL"));
    kasaRQuery.setQuery(list.sql, list.values);

    kasaTable.setTable(QStringLiteral("nakit"), QStringLiteral("islem_tarihi, nid"));
    kasaTable.setAnnouncesChanges(true);
    kasaTable.setMasterLink(&kasaRQuery, kDay, kDay);
    // The currency filter of the movement table (kasaTableFilterRecord): applied whenever
    // the table opens or follows another day.
    kasaTable.setRowFilter([this](const DatasetRow& row) {
        const QString code = currencyCondition();
        return code.isEmpty() || row.value(kCurrency).toString() == code;
    });
    kasaTable.addLookupField(QStringLiteral("islemturu"), QStringLiteral("neden"),
                             &session.kasanedenTable, QStringLiteral("kasanedenine"),
                             QStringLiteral("kasanedenine"));
    // Every stored movement, by "SAKLA" or by leaving it, passes the same checks and
    // completions; a refused one stays pending with the check's message.
    kasaTable.setBeforePost([this](Dataset&) { completeMovement(); });

    // The balances the reports and the summary grid show, summed in kuruş.
    for (Dataset* sums : {&gunbasikasaQuery, &guniciQuery}) {
        sums->addCalculatedField(QStringLiteral("bakiye"), [](const DatasetRow& row) {
            return QVariant(balanceOf(row).stored());
        });
    }
    guntoplamtumuQuery.addCalculatedField(QStringLiteral("bakiye"), [](const DatasetRow& row) {
        return QVariant(
            (Money::fromStored(row.value(QStringLiteral("GunBasi"))) + balanceOf(row)).stored());
    });
}

Ledger::~Ledger() = default;

QString Ledger::currencyCondition() const
{
    return currency_ == kAllCurrencies ? QString() : currency_;
}

bool Ledger::hasSelectedDay() const
{
    return kasaRQuery.isOpen() && kasaRQuery.currentIndex() >= 0;
}

QDate Ledger::selectedDay() const
{
    return hasSelectedDay() ? kasaRQuery.value(kDay).toDate() : kZeroDate;
}

qint64 Ledger::currentMovementId() const
{
    if (!kasaTable.isOpen() || kasaTable.currentIndex() < 0) {
        return 0;
    }
    return std::max<qint64>(0, kasaTable.value(QStringLiteral("nid")).toLongLong());
}

QVariant Ledger::currentMovementValue(const QString& field) const
{
    if (!kasaTable.isOpen() || kasaTable.currentIndex() < 0) {
        return {};
    }
    return kasaTable.value(field);
}

DayFigures Ledger::dayFigures() const
{
    const auto sum = [](const Dataset& sums, const char* field) {
        return Money::fromStored(sums.isOpen() ? sums.value(QString::fromLatin1(field))
                                               : QVariant());
    };
    return {sum(gunbasikasaQuery, "BorcToplam") - sum(gunbasikasaQuery, "AlacakToplam"),
            sum(guniciQuery, "BorcToplam"), sum(guniciQuery, "AlacakToplam")};
}

Money Ledger::openingBalance(const QString& currency, const QDate& firstDay) const
{
    Dataset sums(session_.kasaConnection);
    useStatement(sums, dayStartStatement(currency, firstDay));
    return Money::fromStored(sums.value(QStringLiteral("BorcToplam"))) -
           Money::fromStored(sums.value(QStringLiteral("AlacakToplam")));
}

void Ledger::addDayToReport(report::ReportData& data)
{
    settlePendingMovement();
    data.addDataset(QStringLiteral("kasaTable"), kasaTable);
    data.addDataset(QStringLiteral("kasaRQuery"), kasaRQuery);
    data.addDataset(QStringLiteral("gunbasikasaQuery"), gunbasikasaQuery);
    data.addDataset(QStringLiteral("guniciQuery"), guniciQuery);
}

void Ledger::linkToCurrentMovement(Dataset& documents, const QString& movementField)
{
    documents.setMasterLink(&kasaTable, QStringLiteral("nid"), movementField);
}

void Ledger::setPickerDate(const QDate& date)
{
    if (date != pickerDate_) {
        pickerDate_ = date;
        emit pickerDateChanged(date);
    }
}

void Ledger::runDayStart()
{
    kasaRQuery.open();
    const QDate day = selectedDay();
    useStatement(gunbasikasaQuery, dayStartStatement(currencyCondition(), day));
    dayStartRanFor_ = day;
}

void Ledger::runDayTotals()
{
    kasaRQuery.open();
    const QDate day = selectedDay();
    useStatement(guniciQuery, dayTotalsStatement(currencyCondition(), day));
    dayTotalsRanFor_ = day;
}

void Ledger::KasaBakiye()
{
    // A closed query has no figures for any day, whatever day it last ran for.
    if (!gunbasikasaQuery.isOpen() || selectedDay() != dayStartRanFor_) {
        runDayStart();
    }
}

void Ledger::KasaBakiye2()
{
    runDayStart();
}

void Ledger::GunlukBakiye()
{
    if (!guniciQuery.isOpen() || selectedDay() != dayTotalsRanFor_) {
        runDayTotals();
    }
}

void Ledger::GunlukBakiye2()
{
    runDayTotals();
}

void Ledger::ParaBirimiDurum()
{
    guntoplamtumuQuery.close();
    if (currency_ == kAllCurrencies) {
        useStatement(guntoplamtumuQuery, currencySummaryStatement(selectedDay()));
    }
    emit summaryChanged();
}

void Ledger::rerunDayTotals()
{
    guniciQuery.close();
    guniciQuery.open();
    emit figuresChanged();
}

void Ledger::openBook()
{
    session_.kasanedenTable.open();
    kasaRQuery.open();
    KasaBakiye();
    GunlukBakiye();
    kasaTable.open();
    if (pickerDate_.year() != session_.CalismaYili) {
        setPickerDate(startingDay(QDate::currentDate(), session_.CalismaYili, selectedDay()));
    }
    emit figuresChanged();
    ParaBirimiDurum();
    emit bookOpened();
    // Each opening tells of a carry-over that does not agree once more.
    carryOverToldOf_ = {};
    checkCarryOverWithNeighbours();
}

void Ledger::closeBook()
{
    for (Dataset* d :
         {&kasaTable, &kasaRQuery, &gunbasikasaQuery, &guniciQuery, &guntoplamtumuQuery}) {
        d->close();
    }
    dayStartRanFor_ = QDate();
    dayTotalsRanFor_ = QDate();
}

void Ledger::rebuildDateList()
{
    useStatement(kasaRQuery, dateListStatement(currencyCondition()));
    kasaRQuery.first();
}

void Ledger::yenile()
{
    // The movement table is closed while the list is rebuilt, so the day's movements are
    // read once, when it opens again.
    kasaTable.close();
    rebuildDateList();
    kasaTable.open();
    KasaBakiye2();
    GunlukBakiye2();
    emit figuresChanged();
    ParaBirimiDurum();
}

void Ledger::selectDay(int row)
{
    kasaRQuery.setCurrentIndex(row);
    KasaBakiye();
    GunlukBakiye();
    emit figuresChanged();
    ParaBirimiDurum();
}

void Ledger::selectMovement(int row)
{
    kasaTable.setCurrentIndex(row);
}

void Ledger::closeForSwitch()
{
    for (Dataset* d : {&kasaTable, &kasaRQuery, &gunbasikasaQuery, &guniciQuery}) {
        d->close();
    }
}

void Ledger::reopenAfterSwitch()
{
    for (Dataset* d : {&kasaTable, &kasaRQuery, &gunbasikasaQuery, &guniciQuery}) {
        d->open();
    }
}

void Ledger::switchToPickerYear()
{
    // The new year's database is made before anything closes, so a missing template leaves
    // the open year, and a pending movement, as they are.
    session_.ensureYearDatabase(pickerDate_.year());
    closeForSwitch();
    OpenBookTexts texts;
    try {
        texts = session_.kasadegistir(pickerDate_.year());
    } catch (...) {
        if (session_.kasaConnection.isOpen()) {
            reopenAfterSwitch();
        }
        throw;
    }
    reopenAfterSwitch();
    emit bookSwitched(texts);
    checkCarryOverWithNeighbours();
}

void Ledger::goToPickerDate()
{
    const QDate day = pickerDate_;
    // The list is read again when an earlier failure closed it: a read that fails is an
    // error, never a day without movements.
    kasaTable.open();
    kasaRQuery.open();
    if (!kasaRQuery.locate(kDay, day)) {
        throw ValidationError(kDateNotFound);
    }
    if (day.year() != session_.CalismaYili) {
        switchToPickerYear();
        if (!kasaRQuery.locate(kDay, day)) {
            return;
        }
    }
    KasaBakiye();
    GunlukBakiye();
    emit figuresChanged();
    ParaBirimiDurum();
}

bool Ledger::locateMovement(const QDate& day, qint64 nid)
{
    if (nid <= 0) {
        return false;
    }
    kasaTable.open();
    kasaRQuery.open();
    if (!kasaRQuery.locate(kDay, day)) {
        return false;
    }
    KasaBakiye();
    GunlukBakiye();
    ParaBirimiDurum();
    emit figuresChanged();
    emit dayLocated();
    return kasaTable.locate(QStringLiteral("nid"), nid);
}

void Ledger::appendMovement()
{
    kasaTable.open();
    kasaTable.append();
}

bool Ledger::editCurrentMovement()
{
    if (kasaTable.value(QStringLiteral("nid")).toLongLong() <= 0) {
        return false;
    }
    kasaTable.edit();
    return true;
}

void Ledger::cancelPendingMovement()
{
    if (kasaTable.isEditing()) {
        kasaTable.cancel();
    }
}

void Ledger::settlePendingMovement()
{
    if (!kasaTable.isEditing()) {
        return;
    }
    kasaTable.settle();
    if (!kasaTable.isEditing()) {
        // A stored movement changes the day's totals; a dropped one changes nothing.
        rerunDayTotals();
        afterMovementsChanged();
    }
}

void Ledger::refreshAfterCarryOver()
{
    kasaTable.close();
    kasaRQuery.close();
    kasaRQuery.open();
    kasaTable.open();
    KasaBakiye2();
    GunlukBakiye2();
    emit figuresChanged();
    ParaBirimiDurum();
    checkCarryOverWithNeighbours();
}

void Ledger::deleteCurrentMovement()
{
    if (kasaTable.currentIndex() < 0) {
        return;
    }
    const bool stored = currentMovementId() > 0;
    kasaTable.remove();
    rerunDayTotals();
    ParaBirimiDurum();
    if (stored) {
        afterMovementsChanged();
    }
}

void Ledger::bringBack(const JournalEntry& entry)
{
    settlePendingMovement();
    QSqlDatabase db = session_.kasaConnection.database();
    applyJournalEntry(db, entry, session_.CalismaYili);
    session_.kasaConnection.announceChange();
    showDayOf(entry.day, entry.nid);
    afterMovementsChanged();
}

void Ledger::showDayOf(const QDate& day, const QVariant& nid)
{
    kasaTable.close();
    kasaRQuery.close();
    kasaRQuery.open();
    kasaTable.open();
    if (kasaRQuery.locate(kDay, day)) {
        kasaTable.locate(QStringLiteral("nid"), nid);
    }
    KasaBakiye2();
    GunlukBakiye2();
    emit figuresChanged();
    ParaBirimiDurum();
    emit dayLocated();
}

void Ledger::followOtherDesks()
{
    if (!kasaRQuery.isOpen()) {
        return;
    }
    if (hasPendingMovement()) {
        // Reading the list again would store the movement being typed: looked at again in a
        // second.
        followTimer_.start(1000);
        return;
    }
    followTimer_.setInterval(100);
    try {
        showDayOf(selectedDay(),
                  currentMovementId() > 0 ? QVariant(currentMovementId()) : QVariant());
        afterMovementsChanged();
    } catch (const Error&) {
        // Nobody asked for this reading: the figures stay as last shown, and the next command
        // of the user says what is wrong.
        return;
    }
    emit followedOtherDesks();
}

void Ledger::afterMovementsChanged()
{
    checkCarryOver();
    emit movementsChanged();
}

void Ledger::checkCarryOver()
{
    try {
        carryOverState_ = checkCarryOvers(session_, neighbourYears_);
    } catch (const Error&) {
        // A year that cannot be read now is checked again at the next change or opening; the
        // command that ran the check has succeeded and stays so.
        return;
    }
    emit carryOverChecked(carryOverState_);
    if (!carryOverState_.agrees() && carryOverState_ != carryOverToldOf_) {
        carryOverToldOf_ = carryOverState_;
        emit carryOverMismatchFound(carryOverState_);
    }
}

void Ledger::checkCarryOverWithNeighbours()
{
    try {
        neighbourYears_ = readNeighbourYears(session_);
    } catch (const Error&) {
        neighbourYears_ = {};
    }
    checkCarryOver();
}

void Ledger::retakeCarryOver()
{
    const int closedYear = carryOverState_.closedYear;
    if (carryOverState_.agrees() || closedYear == 0) {
        return;
    }
    settlePendingMovement();
    tamevo::retakeCarryOver(session_, closedYear);
    if (closedYear + 1 == session_.CalismaYili) {
        showDayOf(selectedDay(), currentMovementId());
    }
    checkCarryOverWithNeighbours();
}

void Ledger::completeMovement()
{
    // The movement window's date holds when it lies in the open year (a date of another year
    // is stored by "SAKLA" after the year switch); otherwise the row keeps its own.
    EntryValues entry = entry_;
    if (!entry.refusal.isEmpty()) {
        throw ValidationError(entry.refusal);
    }
    if (!entry.day.isValid() || entry.day.year() != session_.CalismaYili) {
        entry.day = kasaTable.value(kDay).toDate();
    }
    if (entry.currency.isEmpty()) {
        entry.currency = kasaTable.value(kCurrency).toString();
    }
    // Amounts are compared in kuruş and rates in their four decimals, never as binary values.
    const Money in = Money::fromStored(kasaTable.value(kIn));
    const Money out = Money::fromStored(kasaTable.value(kOut));
    if (in.isZero() && out.isZero()) {
        throw ValidationError(kNeedAmount);
    }
    kasaTable.setValue(kDay, entry.day);
    if (!entry.currency.isEmpty()) {
        kasaTable.setValue(kCurrency, entry.currency);
    }
    constexpr int kRateDecimals = 4;
    const auto rateUnits = [this] {
        return roundedUnits(amountOf(kasaTable.value(kRate)), kRateDecimals);
    };
    if (rateUnits() == 0) {
        kasaTable.setValue(kRate, 1.0);
    }
    if (entry.currency == QLatin1String("TL") && rateUnits() != 10000) {
        kasaTable.setValue(kRate, 1.0);
    }
    checkMovementAmounts(in, out);
    // The local-currency amounts are rounded half away from zero to the kuruş.
    const double finalRate = amountOf(kasaTable.value(kRate));
    if (in > Money()) {
        kasaTable.setValue(QStringLiteral("doviz_borc"), in.times(finalRate).stored());
    }
    if (out > Money()) {
        kasaTable.setValue(QStringLiteral("doviz_alacak"), out.times(finalRate).stored());
    }
}

Ledger::SaveResult Ledger::saveMovement(const EntryValues& entry)
{
    entry_ = entry;
    if (!kasaTable.isEditing()) {
        return SaveResult::NothingPending;
    }
    if (!entry.refusal.isEmpty()) {
        throw ValidationError(entry.refusal);
    }
    if (entry.day.year() != session_.CalismaYili) {
        if (dialogs().question(kApplicationTitle, yearQuestion(entry.day.year()),
                               Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes) {
            return SaveResult::Declined;
        }
        // The movement is made again in the other year's database; the row being added or
        // changed here is not stored, so a changed movement stays as it was in this year.
        const QVariant in = kasaTable.value(kIn);
        const QVariant out = kasaTable.value(kOut);
        const QVariant rate = kasaTable.value(kRate);
        const QVariant description = kasaTable.value(QStringLiteral("aciklama"));
        const QDate previousPicker = pickerDate_;
        setPickerDate(entry.day);
        try {
            switchToPickerYear();
        } catch (...) {
            setPickerDate(previousPicker);
            throw;
        }
        appendMovement();
        kasaTable.setValue(kIn, in);
        kasaTable.setValue(kOut, out);
        kasaTable.setValue(kRate, rate);
        kasaTable.setValue(QStringLiteral("aciklama"), description);
    }

    // The checks and completions run in the post, with the window's date and currency.
    kasaTable.post();
    const QVariant stored = kasaTable.value(QStringLiteral("nid"));

    if (entry.day == selectedDay()) {
        rerunDayTotals();
    } else {
        bool found = kasaRQuery.locate(kDay, entry.day);
        if (!found) {
            // A day that had no movements: the list is read again with the same statement.
            kasaRQuery.close();
            kasaTable.close();
            kasaRQuery.open();
            kasaTable.open();
            found = kasaRQuery.locate(kDay, entry.day);
        }
        if (found) {
            KasaBakiye();
            GunlukBakiye();
            // The movement window stays on the movement it stored.
            kasaTable.locate(QStringLiteral("nid"), stored);
        }
        emit figuresChanged();
    }
    ParaBirimiDurum();
    afterMovementsChanged();
    return SaveResult::Saved;
}

}  // namespace tamevo
