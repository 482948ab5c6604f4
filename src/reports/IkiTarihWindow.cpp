#include "reports/IkiTarihWindow.h"

#include "data/Dialogs.h"
#include "lists/ReferenceLists.h"
#include "reports/LedgerPrinting.h"
#include "reports/TwoDateBrowser.h"
#include "widgets/KeyFilters.h"
#include "widgets/WindowKit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamevo {

TikitarihF::TikitarihF(LedgerPrinting& printing, TwoDateBrowser& browser)
    : printing_(printing), browser_(browser)
{
    setObjectName(QStringLiteral("ikitarihF"));
    centreOnFirstShow(this);
    setWindowTitle(QStringLiteral("Norvane Tamevo"));
    // Wide enough for the captions, the days and the button's text in one look.
    setMinimumWidth(360);

    currencyBox = new QComboBox;
    currencyBox->setObjectName(QStringLiteral("dovizBox"));
    currencyBox->setEditable(true);
    currencyBox->setInsertPolicy(QComboBox::NoInsert);
    const TwoDateRange start =
        startingTwoDateRange(QDate::currentDate(), QDate::currentDate().year());
    firstDateEdit = new QDateEdit(start.first);
    firstDateEdit->setObjectName(QStringLiteral("ilkTarihDate"));
    lastDateEdit = new QDateEdit(start.last);
    lastDateEdit->setObjectName(QStringLiteral("SonTarihDate"));
    for (QDateEdit* edit : {firstDateEdit, lastDateEdit}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    }
    printButton =
        makeButton(QStringLiteral("STRG1Yaz"), QStringLiteral("İKİ TARİH ARASI RAPORU YAZDIR"));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QGridLayout;
    const struct {
        const char* caption;
        QWidget* control;
    } rows[] = {
        {"Para Birimi", currencyBox}, {"İlk Tarih", firstDateEdit}, {"Son Tarih", lastDateEdit}};
    int row = 0;
    for (const auto& r : rows) {
        form->addWidget(makeCaption(QString::fromUtf8(r.caption), r.control), row, 0);
        form->addWidget(r.control, row, 1);
        ++row;
    }
    layout->addLayout(form);
    layout->addWidget(printButton);

    // Before a cash book is opened the box offers the built-in codes.
    setCurrencyEntries(currencyBoxes(kBuiltInCurrencies).twoDate);
    for (QWidget* w : {static_cast<QWidget*>(currencyBox), static_cast<QWidget*>(firstDateEdit),
                       static_cast<QWidget*>(lastDateEdit)}) {
        makeEnterMoveOn(w);
    }
    connect(printButton, &QPushButton::clicked, this, [this] { buildOutput(); });
    for (QDateEdit* edit : {firstDateEdit, lastDateEdit}) {
        connect(edit, &QDateEdit::dateChanged, this, [this] { daysPicked_ |= !settingDays_; });
    }
}

void TikitarihF::setCurrencyEntries(const QStringList& entries)
{
    currencyBox->clear();
    currencyBox->addItems(entries);
    currencyBox->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

void TikitarihF::showFor(TwoDateOutput output)
{
    output_ = output;
    show();
    raise();
    activateWindow();
}

void TikitarihF::startInYear(int year)
{
    if (daysPicked_) {
        return;
    }
    const TwoDateRange start = startingTwoDateRange(QDate::currentDate(), year);
    settingDays_ = true;
    firstDateEdit->setDate(start.first);
    lastDateEdit->setDate(start.last);
    settingDays_ = false;
}

TwoDateRange TikitarihF::range() const
{
    return {twoDateCurrency(currencyBox->currentText()), firstDateEdit->date(),
            lastDateEdit->date()};
}

void TikitarihF::buildOutput()
{
    bool done = true;
    if (output_ == TwoDateOutput::Browser) {
        done = rebuildBrowser();
    } else if (output_ != TwoDateOutput::Nothing) {
        // The preview is modal: the window stays on screen until it closes.
        done = printing_.printPeriodReport(output_, range());
    }
    if (done) {
        hide();
    }
}

bool TikitarihF::printMovementsReport()
{
    return printing_.printPeriodReport(TwoDateOutput::IkiTarihArasi, range());
}

bool TikitarihF::rebuildBrowser()
{
    if (!guarded([this] { browser_.ikitariharasitablo(range(), currencyBox->currentText()); })) {
        return false;
    }
    emit browserRequested();
    return true;
}

}  // namespace tamevo
