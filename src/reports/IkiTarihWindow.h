#pragma once

#include "reports/TwoDateQueries.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QPushButton;

namespace tamevo {

class LedgerPrinting;
class TwoDateBrowser;

// The two-date window: a currency (or "Hepsi") and a first and last day, and the button that
// builds what the window was opened for: one of the four period reports, shown in the
// preview, or the movement browser. It keeps its values from one use to the next.
class TikitarihF : public QWidget {
    Q_OBJECT
public:
    TikitarihF(LedgerPrinting& printing, TwoDateBrowser& browser);

    // The currency box's entries (its part of ParaBirimiAyarla), the first selected.
    void setCurrencyEntries(const QStringList& entries);
    // Shown in front, modeless, to build `output` (ikitarihModu) with its button.
    void showFor(TwoDateOutput output);
    // A cash book of `year` was opened: until the user picks days, the window offers the
    // days it starts with in that year.
    void startInYear(int year);

    // "İki Tarih Arası Rapor" for the window's range and currency, shown in the preview.
    bool printMovementsReport();
    // The movement browser built again for the window's range and currency, then asked for.
    bool rebuildBrowser();

signals:
    // The browser was built and is to be shown.
    void browserRequested();

private:
    // "İKİ TARİH ARASI RAPORU YAZDIR" (STRG1YazClick): builds what the window was opened for,
    // then hides the window; a build that fails leaves it open.
    void buildOutput();
    TwoDateRange range() const;

    LedgerPrinting& printing_;
    TwoDateBrowser& browser_;
    TwoDateOutput output_ = TwoDateOutput::Nothing;
    bool daysPicked_ = false;  // the user changed a day
    bool settingDays_ = false;

    QComboBox* currencyBox = nullptr;    // "Para Birimi"
    QDateEdit* firstDateEdit = nullptr;  // "İlk Tarih"
    QDateEdit* lastDateEdit = nullptr;   // "Son Tarih"
    QPushButton* printButton = nullptr;  // "İKİ TARİH ARASI RAPORU YAZDIR"
};

}  // namespace tamevo
