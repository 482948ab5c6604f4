#include "app/GirisWindow.h"

#include "app/Dialogs.h"
#include "app/WindowParts.h"
#include "app/EntryRules.h"
#include "app/IniFile.h"
#include "app/KeyFilters.h"
#include "app/ProgramFolder.h"
#include "app/Program.h"
#include "cashbooks/FirmaWindow.h"
#include "ledger/KasaRWindow.h"
#include "ledger/KasaWindow.h"
#include "lists/KaynakWindow.h"
#include "lists/ListWindows.h"
#include "lists/Passwords.h"
#include "lists/ReferenceLists.h"
#include "lists/SifreWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tamevo {

namespace {

const QString kSection = QStringLiteral("Giris");

IniFile firmaAyar()
{
    return IniFile(GetPathPath() + QStringLiteral("FirmaAyar.ini"));
}

QLabel* makeLinkLabel(const QString& objectName, const QString& address, const QString& target)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(target, address));
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QObject::connect(label, &QLabel::linkActivated,
                     [](const QString& link) { dialogs().openWithDefaultProgram(link); });
    return label;
}

}  // namespace

TgirisF::TgirisF(Program& program) : program_(program)
{
    setObjectName(QStringLiteral("girisF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı - Giriş"));
    buildControls();
}

void TgirisF::buildControls()
{
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);

    auto* heading = new QLabel(QStringLiteral("NORVANE TAMEVO KASA DEFTERİ"));
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont = heading->font();
    headingFont.setPointSize(headingFont.pointSize() + 6);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    Label1 = new QLabel(QStringLiteral("........................."));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    Label1->setFont(titleFont);
    layout->addWidget(Label1);

    auto* grid = new QGridLayout;
    firmaedit = new QLineEdit;
    firmaedit->setObjectName(QStringLiteral("firmaedit"));
    yilEdit = new QLineEdit;
    yilEdit->setObjectName(QStringLiteral("yilEdit"));
    yilEdit->setMaxLength(4);
    sifreEdit = new QLineEdit;
    sifreEdit->setObjectName(QStringLiteral("sifreEdit"));
    sifreEdit->setEchoMode(QLineEdit::Password);

    enterButton =
        makeButton(QStringLiteral("JvXPButton13"), QStringLiteral("KASA İŞLEMLERİNE GİR"));
    pickFromListButton =
        makeButton(QStringLiteral("JvXPButton2"), QStringLiteral("LİSTEDEN KASA SEÇ"));
    newCashBookButton = makeButton(QStringLiteral("JvXPButton1"), QStringLiteral("YENİ KASA EKLE"));
    passwordsButton =
        makeButton(QStringLiteral("JvXPButton8"), QStringLiteral("ŞİFRE GİR/DEĞİŞTİR"));
    updateButton = makeButton(QStringLiteral("JvXPButton6"), QStringLiteral("PROGRAMI GÜNCELLE"));
    sourceTypesButton =
        makeButton(QStringLiteral("JvXPButton9"), QStringLiteral("KAYNAK ŞEKLİ GİRİŞİ"));
    currenciesButton =
        makeButton(QStringLiteral("JvXPButton4"), QStringLiteral("PARA BİRİMİ GİRİŞİ"));
    manualButton = makeButton(QStringLiteral("JvXPButton5"), QStringLiteral("KULLANIM KILAVUZU"));
    helpButton = makeHelpButton(QStringLiteral("tfXPButton1"));

    const struct {
        const char* caption;
        QLineEdit* edit;
        QPushButton* button;
    } rows[] = {
        {"Kasa Kodu", firmaedit, pickFromListButton},
        {"Çalışma Yılı", yilEdit, newCashBookButton},
        {"Şifre", sifreEdit, passwordsButton},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* caption = new QLabel(QString::fromUtf8(r.caption));
        caption->setBuddy(r.edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(r.edit, row, 1);
        grid->addWidget(r.button, row, 2);
        ++row;
    }
    grid->addWidget(enterButton, row++, 1);
    grid->addWidget(currenciesButton, row, 0);
    grid->addWidget(sourceTypesButton, row, 1);
    grid->addWidget(manualButton, row++, 2);
    grid->addWidget(updateButton, row, 1);
    grid->addWidget(helpButton, row, 2, Qt::AlignRight);
    layout->addLayout(grid);
    layout->addStretch();

    layout->addWidget(makeLinkLabel(QStringLiteral("webLabel1"),
                                    QStringLiteral("www.norvane.com.tr"),
                                    QStringLiteral("https://www.norvane.com.tr")));
    layout->addWidget(makeLinkLabel(QStringLiteral("webLabel2"),
                                    QStringLiteral("www.tamevo.com.tr"),
                                    QStringLiteral("https://www.tamevo.com.tr")));
    layout->addWidget(makeLinkLabel(QStringLiteral("mailLabel"),
                                    QStringLiteral("destek@norvane.com.tr"),
                                    QStringLiteral("mailto:destek@norvane.com.tr")));
    setCentralWidget(central);

    auto* status = new QStatusBar;
    status->setObjectName(QStringLiteral("StatusBar1"));
    const QStringList panels{QString(), QStringLiteral("Norvane Yazılım"),
                             QStringLiteral("destek@norvane.com.tr"),
                             QStringLiteral("Versiyon 3.4  Güncelleme: 0")};
    for (int i = 0; i < panels.size(); ++i) {
        auto* panel = new QLabel(panels[i]);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        status->addWidget(panel, i == 0 ? 0 : 1);
    }
    setStatusBar(status);

    // Tab order of the entry screen.
    const QList<QWidget*> order{enterButton,        newCashBookButton, firmaedit,
                                pickFromListButton, yilEdit,           currenciesButton,
                                manualButton,       updateButton,      sifreEdit,
                                passwordsButton,    sourceTypesButton};
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }

    makeEnterMoveOn(firmaedit);
    makeEnterMoveOn(yilEdit);
    acceptDigitsOnly(yilEdit);
    makeEnterMoveOn(sifreEdit);
    firmaedit->installEventFilter(this);
    yilEdit->installEventFilter(this);

    connect(enterButton, &QPushButton::clicked, this, [this] { JvXPButton13Click(); });
    connect(pickFromListButton, &QPushButton::clicked, this, [this] { firmaeditDblClick(); });
    connect(newCashBookButton, &QPushButton::clicked, this, [this] { JvXPButton1Click(); });
    connect(currenciesButton, &QPushButton::clicked, this, [this] { JvXPButton4Click(); });
    connect(sourceTypesButton, &QPushButton::clicked, this, [this] { JvXPButton9Click(); });
    connect(passwordsButton, &QPushButton::clicked, this, [this] { JvXPButton8Click(); });
    connect(updateButton, &QPushButton::clicked, this, &TgirisF::updateRequested);
    connect(manualButton, &QPushButton::clicked, this, [] {
        // The manual opens in the desktop's viewer; a missing file or viewer is not reported.
        dialogs().openWithDefaultProgram(GetPathPath() + QStringLiteral("TamevoYardim.pdf"));
    });
}

void TgirisF::FormCreate()
{
    guarded([] { enterProgramFolder(); });
    hafizadanoku();
    firmaedit->setEnabled(true);
    pickFromListButton->setEnabled(true);
    newCashBookButton->setEnabled(true);
    enterButton->setEnabled(true);
}

void TgirisF::hafizadanoku()
{
    const IniFile ini = firmaAyar();
    firmaedit->setText(ini.read(kSection, QStringLiteral("Kodu")));
    yilEdit->setText(ini.read(kSection, QStringLiteral("Yil")));
    Label1->setText(ini.read(kSection, QStringLiteral("Adi")));
}

void TgirisF::hafizayayaz()
{
    guarded([this] {
        const IniFile ini = firmaAyar();
        ini.write(kSection, QStringLiteral("Kodu"), firmaedit->text());
        ini.write(kSection, QStringLiteral("Yil"), yilEdit->text());
        ini.write(kSection, QStringLiteral("Adi"), Label1->text());
    });
}

bool TgirisF::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == firmaedit || watched == yilEdit) &&
        event->type() == QEvent::MouseButtonDblClick) {
        firmaeditDblClick();
        return true;
    }
    // Leaving the code or the year box for another control of this window looks the code up;
    // a message box or another window taking the focus is not leaving.
    if ((watched == firmaedit || watched == yilEdit) && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            isVisible()) {
            firmaeditExit();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TgirisF::firmaeditExit()
{
    Session& session = program_.session();
    bool found = false;
    const bool ran = guarded([&] {
        const CodeLookup lookup = lookUpCashBookCode(session, firmaedit->text());
        found = lookup.found;
        if (found) {
            Label1->setText(lookup.title);
        }
    });
    if (!ran || found) {
        return found;
    }
    const auto answer =
        dialogs().question(kProgramTitle, kCodeNotFoundQuestion, Dialogs::Buttons::YesNoCancel);
    firmaedit->setFocus(Qt::OtherFocusReason);
    if (answer == Dialogs::Answer::Yes) {
        // The user completes and saves the record in the registry window; this path does not
        // unlock its code field.
        program_.firmaF->show();
        program_.firmaF->raise();
        guarded([&] { startNewRegistryRecord(session, firmaedit->text()); });
    }
    return false;
}

void TgirisF::JvXPButton13Click()
{
    Session& session = program_.session();
    if (!guarded([&] { session.ADOConnection1.open(); })) {
        return;
    }
    KaynakSekliAyarla();

    switch (checkEntryPassword(session, sifreEdit->text())) {
        case PasswordCheck::Accepted:
            break;
        case PasswordCheck::Wrong:
            sifreEdit->clear();
            dialogs().message(kApplicationTitle, kWrongPassword, Dialogs::Icon::Error);
            return;
        case PasswordCheck::WrongTooOften:
            sifreEdit->clear();
            close();
            return;
    }

    if (!isValidWorkingYear(yilEdit->text())) {
        showMessage(kWrongYear);
        return;
    }
    if (firmaedit->text().isEmpty()) {
        showMessage(kWrongCode);
        return;
    }
    const bool registered = firmaeditExit();
    // An unregistered code enters only when the user chose to create it; the registry
    // record is then still being written and no database is made from it.
    if (!registered && !session.FirmaTakip.isEditing()) {
        return;
    }

    OpenBookTexts texts;
    const bool opened = guarded([&] {
        texts = session.kasaac(
            registered ? session.FirmaTakip.value(QStringLiteral("firma_kodu")).toString()
                       : firmaedit->text(),
            yilEdit->text(), registryRecordForNewFile(session));
    });
    if (!opened) {
        return;
    }
    program_.kasaRF->setOpenBookTexts(texts);
    program_.kasaRF->show();
    hafizayayaz();
    hide();
    program_.kasaRF->openBook();
}

void TgirisF::firmaeditDblClick()
{
    program_.firmaF->showList();
}

void TgirisF::JvXPButton1Click()
{
    program_.firmaF->showNewCashBook();
}

void TgirisF::JvXPButton4Click()
{
    program_.parabirimiF->openAndShow();
}

void TgirisF::JvXPButton9Click()
{
    program_.kaynakF->show();
    program_.kaynakF->raise();
}

void TgirisF::JvXPButton8Click()
{
    Session& session = program_.session();
    MasterCheck check = MasterCheck::Accepted;
    if (!guarded([&] { check = checkMasterPassword(session, sifreEdit->text()); })) {
        return;
    }
    if (check == MasterCheck::Accepted) {
        program_.sifreF->show();
        program_.sifreF->raise();
        return;
    }
    sifreEdit->clear();
    if (check == MasterCheck::WrongTooOften) {
        // The program is asked to close: the exit question decides.
        close();
    }
    dialogs().message(kApplicationTitle, kWrongMasterPassword, Dialogs::Icon::Error);
}

void TgirisF::ParaBirimiAyarla()
{
    QStringList codes;
    if (!guarded([&] { codes = program_.session().currencyCodes(); })) {
        return;
    }
    const CurrencyBoxes boxes = currencyBoxes(codes);
    // Each window's box takes its entries and selects the first: the ledger window (codes,
    // then "Hepsi") and the movement window (the codes). The two-date report window takes
    // boxes.twoDate and the analysis window boxes.analysis here, once they exist, in the order
    // ledger, two-date report, movement, analysis.
    program_.kasaRF->setCurrencyCodes(codes);  // gives boxes.ledger: appends "Hepsi"
    program_.kasaF->setCurrencyCodes(boxes.movement);
}

void TgirisF::KaynakSekliAyarla()
{
    program_.kasaF->setSourceNames(program_.kaynakF->names());
}

void TgirisF::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    program_.runExitSequence();
}

bool TgirisF::FormCloseQuery()
{
    Session& session = program_.session();
    if (session.CikisOnayi == kExitConfirmed) {
        return true;
    }
    if (askingExit_) {
        return false;
    }
    askingExit_ = true;
    const auto answer =
        dialogs().question(kApplicationTitle, kExitQuestion, Dialogs::Buttons::YesNo);
    askingExit_ = false;
    if (answer == Dialogs::Answer::Yes) {
        return true;
    }
    program_.kasakapat();
    return false;
}

}  // namespace tamevo
