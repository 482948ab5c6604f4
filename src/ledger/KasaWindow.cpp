#include "ledger/KasaWindow.h"

#include "data/Dialogs.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "lists/ReferenceLists.h"
#include "widgets/FieldBinding.h"
#include "widgets/KeyFilters.h"
#include "widgets/WindowKit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tamevo {

namespace {

// Del in the transaction-type box clears the choice.
class DeleteClearsType : public QObject {
public:
    DeleteClearsType(QComboBox* box, Dataset* table) : QObject(box), box_(box), table_(table) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            guarded([this] { table_->setValue(QStringLiteral("islemturu"), QVariant()); });
            box_->setCurrentIndex(-1);
            return true;
        }
        return false;
    }

private:
    QComboBox* box_;
    Dataset* table_;
};

}  // namespace

TkasaF::TkasaF(Session& session, Ledger& ledger) : session_(session), ledger_(ledger)
{
    setObjectName(QStringLiteral("kasaF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı - Kasa  Hareket İşlemi"));

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("KASA HAREKET İŞLEMİ"));
    title->setAlignment(Qt::AlignCenter);
    setHeadingFont(title, 4);
    layout->addWidget(title);

    datePicker = new QDateEdit(QDate::currentDate());
    datePicker->setObjectName(QStringLiteral("vadesiDate"));
    datePicker->setCalendarPopup(true);
    datePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    currencyBox = new QComboBox;
    currencyBox->setObjectName(QStringLiteral("dovizBox"));
    currencyBox->addItems(kBuiltInCurrencies);
    inEdit = new QLineEdit;
    inEdit->setObjectName(QStringLiteral("DBEdit1"));
    outEdit = new QLineEdit;
    outEdit->setObjectName(QStringLiteral("DBEdit2"));
    rateEdit = new QLineEdit;
    rateEdit->setObjectName(QStringLiteral("DBEdit3"));
    descriptionEdit = new QLineEdit;
    descriptionEdit->setObjectName(QStringLiteral("DBEdit4"));
    descriptionEdit->setMaxLength(200);
    typeBox = new QComboBox;
    typeBox->setObjectName(QStringLiteral("DBLookupComboBox1"));
    sourceBox = new QComboBox;
    sourceBox->setObjectName(QStringLiteral("kaynakBox"));
    sourceBox->setEditable(true);
    sourceBox->lineEdit()->setMaxLength(50);
    for (QLineEdit* amount : {inEdit, outEdit, rateEdit}) {
        amount->setAlignment(Qt::AlignRight);
    }

    auto* form = new QGridLayout;
    const struct {
        const char* caption;
        QWidget* control;
    } rows[] = {
        {"İşlem Tarihi", datePicker},   {"Para Birimi", currencyBox},
        {"Kasaya Giren Tutar", inEdit}, {"Kasadan Çıkan Tutar", outEdit},
        {"Döviz Kuru", rateEdit},       {"Açıklama", descriptionEdit},
        {"İşlem Türü", typeBox},        {"Kaynak", sourceBox},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* caption = new QLabel(QString::fromUtf8(r.caption));
        caption->setBuddy(r.control);
        form->addWidget(caption, row, 0);
        form->addWidget(r.control, row, 1);
        ++row;
    }
    typesButton =
        makeButton(QStringLiteral("islemTuruGirisi"), QStringLiteral("İşlem Türü Girişi"));
    sourcesButton =
        makeButton(QStringLiteral("kaynakSekliGirisi"), QStringLiteral("Kaynak Şekli Girişi"));
    form->addWidget(typesButton, 6, 2);
    form->addWidget(sourcesButton, 7, 2);
    layout->addLayout(form);

    saveButton = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("SAKLA"));
    cancelButton = makeButton(QStringLiteral("JvXPButton2"), QStringLiteral("VAZGEÇ"));
    newMovementButton = makeButton(QStringLiteral("JvXPButton1"), QStringLiteral("YENİ HAREKET"));
    closeButton = makeButton(QStringLiteral("kapat"), QStringLiteral("KAPAT"));
    helpButton = makeHelpButton(QStringLiteral("helpButton"));
    auto* buttons = new QHBoxLayout;
    for (QWidget* b : {static_cast<QWidget*>(saveButton), static_cast<QWidget*>(cancelButton),
                       static_cast<QWidget*>(newMovementButton), static_cast<QWidget*>(closeButton),
                       static_cast<QWidget*>(helpButton)}) {
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    // Tab follows the eye: the fields top to bottom, then the buttons below them, then the
    // list buttons beside the type and the source. Enter moves from field to field as Tab
    // does and stores the movement from the last one, "Kaynak".
    const QList<QWidget*> order{
        datePicker,        currencyBox, inEdit,     outEdit,     rateEdit,
        descriptionEdit,   typeBox,     sourceBox,  saveButton,  cancelButton,
        newMovementButton, closeButton, helpButton, typesButton, sourcesButton};
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    for (QWidget* w : {static_cast<QWidget*>(datePicker), static_cast<QWidget*>(currencyBox),
                       static_cast<QWidget*>(inEdit), static_cast<QWidget*>(outEdit),
                       static_cast<QWidget*>(rateEdit), static_cast<QWidget*>(descriptionEdit),
                       static_cast<QWidget*>(typeBox)}) {
        makeEnterMoveOn(w);
    }
    sourceBox->installEventFilter(this);

    Dataset* table = &ledger_.movementEntry();
    bindLineEdit(inEdit, table, QStringLiteral("borc_tutar"), FieldKind::Amount);
    bindLineEdit(outEdit, table, QStringLiteral("alacak_tutar"), FieldKind::Amount);
    bindLineEdit(rateEdit, table, QStringLiteral("doviz_kuru"), FieldKind::Rate);
    bindLineEdit(descriptionEdit, table, QStringLiteral("aciklama"));
    bindComboBox(typeBox, table, QStringLiteral("islemturu"));
    bindComboBox(sourceBox, table, QStringLiteral("bankaadi"));
    typeBox->installEventFilter(new DeleteClearsType(typeBox, table));

    // A changed movement left pending is stored with this window's date and currency, which
    // the ledger is told of whenever they or the amounts' texts change.
    connect(datePicker, &QDateEdit::dateChanged, this, [this] { sendEntryValues(); });
    connect(currencyBox, &QComboBox::currentTextChanged, this, [this] { sendEntryValues(); });
    for (QLineEdit* amount : {inEdit, outEdit, rateEdit}) {
        connect(amount, &QLineEdit::textChanged, this, [this] { sendEntryValues(); });
    }

    connect(saveButton, &QPushButton::clicked, this, [this] { saveMovement(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelChanges(); });
    connect(newMovementButton, &QPushButton::clicked, this, [this] { startAnotherMovement(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { hide(); });
    connect(typesButton, &QPushButton::clicked, this, &TkasaF::typesRequested);
    connect(sourcesButton, &QPushButton::clicked, this, &TkasaF::sourcesRequested);
    connect(helpButton, &QToolButton::clicked, this, &TkasaF::helpRequested);
    // The type names as the table holds them now (it may have been opened before this window
    // was built), then as it changes.
    session_.kasanedenTable.onAnyChange(this, [this] { refreshTypeNames(); });
    refreshTypeNames();
}

void TkasaF::refreshTypeNames()
{
    Dataset& types = session_.kasanedenTable;
    const QString current = ledger_.currentMovementValue(QStringLiteral("neden")).toString();
    typeBox->clear();
    for (int row = 0; row < types.recordCount(); ++row) {
        typeBox->addItem(types.valueAt(row, QStringLiteral("kasanedenine")).toString());
    }
    typeBox->setCurrentIndex(typeBox->findText(current));
}

void TkasaF::setCurrencyEntries(const QStringList& codes)
{
    currencyBox->clear();
    currencyBox->addItems(codes);
    currencyBox->setCurrentIndex(codes.isEmpty() ? -1 : 0);
}

void TkasaF::setCurrencyText(const QString& code)
{
    currencyBox->setCurrentIndex(currencyBox->findText(code));
}

void TkasaF::setSourceNames(const QStringList& names)
{
    const QString text = sourceBox->currentText();
    sourceBox->clear();
    sourceBox->addItems(names);
    sourceBox->setEditText(text);
}

void TkasaF::startNew(const QDate& day, const QString& currency)
{
    afterSave_ = AfterSave::StayOpen;
    guarded([&] {
        datePicker->setDate(day);
        if (!currency.isEmpty()) {
            setCurrencyText(currency);
        }
        if (currencyBox->currentIndex() < 0) {
            currencyBox->setCurrentIndex(0);
        }
        ledger_.appendMovement();
        sendEntryValues();
        showWindow();
    });
}

void TkasaF::startEdit(AfterSave afterSave)
{
    guarded([this, afterSave] {
        if (ledger_.currentMovementId() <= 0) {
            return;
        }
        afterSave_ = afterSave;
        datePicker->setDate(ledger_.currentMovementValue(QStringLiteral("islem_tarihi")).toDate());
        setCurrencyText(ledger_.currentMovementValue(QStringLiteral("doviz_cinsi")).toString());
        ledger_.editCurrentMovement();
        sendEntryValues();
        showWindow();
    });
}

void TkasaF::sendEntryValues()
{
    ledger_.setEntryValues(entryValues());
}

EntryValues TkasaF::entryValues() const
{
    EntryValues entry{datePicker->date(), currencyBox->currentText(), {}};
    const struct {
        const QLineEdit* edit;
        FieldKind kind;
        const char* caption;
    } amounts[] = {
        {inEdit, FieldKind::Amount, "Kasaya Giren Tutar"},
        {outEdit, FieldKind::Amount, "Kasadan Çıkan Tutar"},
        {rateEdit, FieldKind::Rate, "Döviz Kuru"},
    };
    for (const auto& a : amounts) {
        if (entry.refusal.isEmpty()) {
            entry.refusal = amountRefusal(a.edit, a.kind, QString::fromUtf8(a.caption));
        }
    }
    return entry;
}

void TkasaF::showWindow()
{
    show();
    raise();
    activateWindow();
    // Each movement starts at the first field, its day selected so typing replaces it.
    datePicker->setFocus(Qt::TabFocusReason);
    datePicker->setSelectedSection(QDateTimeEdit::DaySection);
}

bool TkasaF::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sourceBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !sourceBox->view()->isVisible()) {
            saveMovement();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TkasaF::saveMovement()
{
    Ledger::SaveResult result = Ledger::SaveResult::NothingPending;
    if (!guarded([&] { result = ledger_.saveMovement(entryValues()); })) {
        return;
    }
    if (result != Ledger::SaveResult::Saved) {
        return;
    }
    showMessage(kSavedMessage);
    if (afterSave_ == AfterSave::ReturnToBrowser) {
        afterSave_ = AfterSave::StayOpen;
        hide();
        emit savedForBrowser();
    }
}

void TkasaF::cancelChanges()
{
    guarded([this] {
        ledger_.cancelPendingMovement();
        if (ledger_.movements().recordCount() > 0) {
            datePicker->setDate(
                ledger_.currentMovementValue(QStringLiteral("islem_tarihi")).toDate());
            setCurrencyText(ledger_.currentMovementValue(QStringLiteral("doviz_cinsi")).toString());
        }
    });
}

void TkasaF::startAnotherMovement()
{
    guarded([this] {
        if (currencyBox->currentIndex() < 0) {
            currencyBox->setCurrentIndex(0);
        }
        ledger_.appendMovement();
        sendEntryValues();
    });
}

void TkasaF::showEvent(QShowEvent* event)
{
    refreshTypeNames();
    QWidget::showEvent(event);
}

void TkasaF::hideEvent(QHideEvent* event)
{
    // The program's own hiding (KAPAT, VAZGEÇ's window closed, the window closed) drops the
    // pending movement, changed or not; a minimize, which the platform sends, keeps it.
    if (!event->spontaneous()) {
        ledger_.cancelPendingMovement();
        ledger_.setEntryValues({});
    }
    QWidget::hideEvent(event);
}

}  // namespace tamevo
