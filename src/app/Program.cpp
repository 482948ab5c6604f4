#include "app/Program.h"

#include "app/GirisWindow.h"
#include "cashbooks/FirmaWindow.h"
#include "help/YardimWindow.h"
#include "ledger/KasaRWindow.h"
#include "ledger/KasaWindow.h"
#include "ledger/Ledger.h"
#include "lists/KaynakWindow.h"
#include "lists/ListWindows.h"
#include "lists/SifreWindow.h"
#include "reports/LedgerPrinting.h"
#include "reports/LedgerReports.h"
#include "reports/SpreadsheetExport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace tamevo {

namespace {

// A tool window whose content comes with its own subsystem; until then it carries its name
// and caption, so the windows exist in their order from the start.
std::unique_ptr<QWidget> makeToolWindow(const QString& objectName, const QString& caption)
{
    auto window = std::make_unique<QWidget>();
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(new QLabel(caption));
    return window;
}

}  // namespace

Program::Program()
{
    session_.openStartupConnections();
    ledger_ = std::make_unique<Ledger>(session_);
    ledgerReports_ = std::make_unique<LedgerReports>(session_, *ledger_);

    // The windows in their fixed order; the entry screen first, so it is the main window.
    const auto own = [this](auto window) {
        auto* raw = window.get();
        owned_.push_back(std::move(window));
        return raw;
    };
    const auto tool = [&](const char* name, const char* caption) {
        return own(makeToolWindow(QString::fromLatin1(name), QString::fromUtf8(caption)));
    };
    girisF = own(std::make_unique<TgirisF>(*this));
    kasaRF = own(std::make_unique<TkasaRF>(*this));
    yardimF = own(std::make_unique<TyardimF>());
    kasaF = own(std::make_unique<TkasaF>(*this));
    resimkasaF =
        tool("resimkasaF", "Norvane Tamevo Programı - Kasa Hareketleri Evrak Kayıt ve İzleme");
    ikitarihF = tool("ikitarihF", "Norvane Tamevo");
    nakitnedenF = own(std::make_unique<TnakitnedenF>(*this));
    firmaF = own(std::make_unique<TfirmaF>(*this));
    parabirimiF = own(std::make_unique<TparabirimiF>(*this));
    gelirdetayF = tool("gelirdetayF", "Norvane Tamevo Programı - Tahsilat Detay");
    raporKasaF = tool("raporKasaF", "Norvane Tamevo Programı - Günlük Kasa İşlem Türü Raporlama");
    giderdetayF = tool("giderdetayF", "Norvane Tamevo Programı - Ödeme Detay");
    sifreF = own(std::make_unique<TsifreF>(*this));
    kasaikitarihF = tool("kasaikitarihF", "Norvane Tamevo Programı İki Tarih Arası Rapor");
    kaynakF = own(std::make_unique<TkaynakF>(*this));

    // The movement window's list buttons: the transaction types (opening their table first)
    // and the source types.
    kasaF->onTypes = [this] { nakitnedenF->openAndShow(); };
    kasaF->onSources = [this] {
        kaynakF->show();
        kaynakF->raise();
    };

    // The help picture buttons: the entry screen's topic, and the ledger's from the ledger and
    // the movement window.
    connect(girisF->helpButton, &QToolButton::clicked, yardimF, &TyardimF::showEntryTopic);
    connect(kasaRF->helpButton, &QToolButton::clicked, yardimF, &TyardimF::showLedgerTopic);
    connect(kasaF->helpButton, &QToolButton::clicked, yardimF, &TyardimF::showLedgerTopic);

    // The ledger's documents command shows the documents window of the current movement.
    kasaRF->onDocuments = [this] {
        resimkasaF->show();
        resimkasaF->raise();
    };

    ledgerPrinting_ = std::make_unique<LedgerPrinting>(*this, *ledgerReports_);
    kasaRF->onPrint = [this] { ledgerPrinting_->STRG1YazClick(); };
    kasaRF->onTwoDate = [this] { ledgerPrinting_->JvXPButton3Click(); };
    kasaRF->onTypeReport = [this] { ledgerPrinting_->islemturuButClick(); };
    kasaRF->onExcel = [this] { ExcelButClick(*ledger_); };

    // At exit, after the connections closed: the automatic backup when it is due.
    automaticBackup = [this] { firmaF->runAutomaticBackupWhenDue(); };

    girisF->FormCreate();
}

Program::~Program()
{
    // Windows go in the reverse order of their creation, before the data they show.
    while (!owned_.empty()) {
        owned_.pop_back();
    }
    ledgerPrinting_.reset();
    ledgerReports_.reset();
    ledger_.reset();
}

QList<QWidget*> Program::windows() const
{
    QList<QWidget*> list;
    for (const auto& w : owned_) {
        list << w.get();
    }
    return list;
}

void Program::kasakapat()
{
    for (QWidget* w : {static_cast<QWidget*>(nakitnedenF), resimkasaF,
                       static_cast<QWidget*>(yardimF), static_cast<QWidget*>(firmaF), ikitarihF,
                       static_cast<QWidget*>(kasaF), static_cast<QWidget*>(kasaRF)}) {
        w->hide();
    }
    kasaRF->closeBook();
    session_.closeCashBook();
    girisF->show();
}

void Program::runExitSequence()
{
    if (ended_) {
        return;
    }
    ended_ = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Unsaved changes are dropped, never saved: closing a dataset cancels its pending row.
    kasaRF->closeBook();
    session_.FirmaTakip.close();
    session_.sifreTable.close();
    session_.masterTable.close();
    session_.kasaConnection.close();
    session_.ADOConnection1.close();
    if (automaticBackup) {
        automaticBackup();
    }
    QGuiApplication::restoreOverrideCursor();
    for (QWidget* w : windows()) {
        w->hide();
    }
    emit programEnded();
    QCoreApplication::exit(0);
}

}  // namespace tamevo
