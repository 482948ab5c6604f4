#pragma once

#include "reports/TwoDateQueries.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QPushButton;

namespace tamevo {

class LedgerPrinting;
class LedgerReports;
class Session;
class TwoDateBrowser;

// The two-date window: a currency (or "Hepsi") and a first and last day, and the button that
// builds what ikitarihModu names: one of the four period reports, shown in the preview, or
// the movement browser. It keeps its values from one use to the next.
class TikitarihF : public QWidget {
    Q_OBJECT
public:
    TikitarihF(Session& session, LedgerReports& reports, LedgerPrinting& printing,
               TwoDateBrowser& browser);

    // The currency box's entries (its part of ParaBirimiAyarla), the first selected.
    void setCurrencyEntries(const QStringList& entries);
    // Shown in front, modeless.
    void showWindow();

    // "İKİ TARİH ARASI RAPORU YAZDIR": builds what ikitarihModu names, then hides the
    // window; a build that fails leaves it open.
    void STRG1YazClick();
    // "İki Tarih Arası Rapor" for the window's range and currency, shown in the preview.
    bool ikitariharasi();
    // The movement browser built for the window's range and currency, then asked for.
    bool ikitariharasitablo();

signals:
    // The browser was built and is to be shown.
    void browserRequested();

private:
    TwoDateRange range() const;
    bool printReport(TwoDateOutput output);

    Session& session_;
    LedgerReports& reports_;
    LedgerPrinting& printing_;
    TwoDateBrowser& browser_;

    QComboBox* currencyBox = nullptr;    // "Para Birimi"
    QDateEdit* firstDateEdit = nullptr;  // "İlk Tarih"
    QDateEdit* lastDateEdit = nullptr;   // "Son Tarih"
    QPushButton* printButton = nullptr;  // "İKİ TARİH ARASI RAPORU YAZDIR"
};

}  // namespace tamevo
