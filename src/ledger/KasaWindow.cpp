#include "ledger/KasaWindow.h"

#include "app/Dialogs.h"
#include "app/WindowParts.h"
#include "app/FieldBinding.h"
#include "app/KeyFilters.h"
#include "app/Program.h"
#include "app/Session.h"
#include "ledger/Ledger.h"

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

TkasaF::TkasaF(Program& program) : program_(program), ledger_(program.ledger())
{
    setObjectName(QStringLiteral("kasaF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı - Kasa  Hareket İşlemi"));

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("KASA HAREKET İŞLEMİ"));
    title->setAlignment(Qt::AlignCenter);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    title->setFont(bold);
    layout->addWidget(title);

    vadesiDate = new QDateEdit(QDate::currentDate());
    vadesiDate->setObjectName(QStringLiteral("vadesiDate"));
    vadesiDate->setCalendarPopup(true);
    vadesiDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    dovizBox = new QComboBox;
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    dovizBox->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
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
        {"İşlem Tarihi", vadesiDate},     {"Para Birimi", dovizBox}, {"Kasaya Giren Tutar", inEdit},
        {"Kasadan Çıkan Tutar", outEdit}, {"Döviz Kuru", rateEdit},  {"Açıklama", descriptionEdit},
        {"İşlem Türü", typeBox},          {"Kaynak", sourceBox},
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

    // Focus order of the fields; Enter moves on as Tab does.
    const QList<QWidget*> order{vadesiDate,   dovizBox,          inEdit,      outEdit,
                                rateEdit,     descriptionEdit,   typeBox,     saveButton,
                                cancelButton, newMovementButton, typesButton, closeButton,
                                sourceBox,    sourcesButton};
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    for (QWidget* w : {static_cast<QWidget*>(vadesiDate), static_cast<QWidget*>(dovizBox),
                       static_cast<QWidget*>(inEdit), static_cast<QWidget*>(outEdit),
                       static_cast<QWidget*>(rateEdit), static_cast<QWidget*>(descriptionEdit)}) {
        makeEnterMoveOn(w);
    }

    Dataset* table = &ledger_.kasaTable;
    bindLineEdit(inEdit, table, QStringLiteral("borc_tutar"), FieldKind::Amount);
    bindLineEdit(outEdit, table, QStringLiteral("alacak_tutar"), FieldKind::Amount);
    bindLineEdit(rateEdit, table, QStringLiteral("doviz_kuru"), FieldKind::Rate);
    bindLineEdit(descriptionEdit, table, QStringLiteral("aciklama"));
    bindComboBox(typeBox, table, QStringLiteral("islemturu"));
    bindComboBox(sourceBox, table, QStringLiteral("bankaadi"));
    typeBox->installEventFilter(new DeleteClearsType(typeBox, table));

    // A changed movement left pending is stored with this window's date and currency.
    ledger_.entryValues = [this] {
        return EntryValues{vadesiDate->date(), dovizBox->currentText()};
    };

    connect(saveButton, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { JvXPButton2Click(); });
    connect(newMovementButton, &QPushButton::clicked, this, [this] { JvXPButton1Click(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { hide(); });
    connect(typesButton, &QPushButton::clicked, this, [this] {
        if (onTypes) {
            onTypes();
        }
    });
    connect(sourcesButton, &QPushButton::clicked, this, [this] {
        if (onSources) {
            onSources();
        }
    });
    program.session().kasanedenTable.onAnyChange(this, [this] { refreshTypeNames(); });
}

void TkasaF::refreshTypeNames()
{
    Dataset& types = program_.session().kasanedenTable;
    const QString current = ledger_.kasaTable.isOpen()
                                ? ledger_.kasaTable.value(QStringLiteral("neden")).toString()
                                : QString();
    typeBox->clear();
    for (int row = 0; row < types.recordCount(); ++row) {
        typeBox->addItem(types.valueAt(row, QStringLiteral("kasanedenine")).toString());
    }
    typeBox->setCurrentIndex(typeBox->findText(current));
}

void TkasaF::setCurrencyCodes(const QStringList& codes)
{
    dovizBox->clear();
    dovizBox->addItems(codes);
    dovizBox->setCurrentIndex(codes.isEmpty() ? -1 : 0);
}

void TkasaF::setCurrencyText(const QString& code)
{
    dovizBox->setCurrentIndex(dovizBox->findText(code));
}

void TkasaF::setSourceNames(const QStringList& names)
{
    const QString text = sourceBox->currentText();
    sourceBox->clear();
    sourceBox->addItems(names);
    sourceBox->setEditText(text);
}

void TkasaF::BitBtn1Click()
{
    Ledger::SaveResult result = Ledger::SaveResult::NothingPending;
    if (!guarded([&] {
            result = ledger_.saveMovement({vadesiDate->date(), dovizBox->currentText()});
        })) {
        return;
    }
    if (result != Ledger::SaveResult::Saved) {
        return;
    }
    showMessage(kSavedMessage);
    Session& session = program_.session();
    if (session.kasaDonusModu == kReturnToTwoDateBrowser) {
        session.kasaDonusModu.clear();
        hide();
    }
}

void TkasaF::JvXPButton2Click()
{
    guarded([this] {
        if (ledger_.kasaTable.isEditing()) {
            ledger_.kasaTable.cancel();
        }
        if (ledger_.kasaTable.recordCount() > 0) {
            vadesiDate->setDate(ledger_.kasaTable.value(QStringLiteral("islem_tarihi")).toDate());
            setCurrencyText(ledger_.kasaTable.value(QStringLiteral("doviz_cinsi")).toString());
        }
    });
}

void TkasaF::JvXPButton1Click()
{
    guarded([this] {
        if (dovizBox->currentIndex() < 0) {
            dovizBox->setCurrentIndex(0);
        }
        ledger_.appendMovement();
    });
}

void TkasaF::showEvent(QShowEvent* event)
{
    refreshTypeNames();
    QWidget::showEvent(event);
}

void TkasaF::hideEvent(QHideEvent* event)
{
    // Hiding the window drops the pending movement, changed or not.
    if (ledger_.kasaTable.isEditing()) {
        ledger_.kasaTable.cancel();
    }
    QWidget::hideEvent(event);
}

}  // namespace tamevo
