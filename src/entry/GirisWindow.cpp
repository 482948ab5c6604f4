#include "entry/GirisWindow.h"

#include "data/Dialogs.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "entry/EntryRules.h"
#include "lists/Passwords.h"
#include "lists/SourceTypes.h"
#include "widgets/KeyFilters.h"
#include "widgets/WindowKit.h"

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

TgirisF::TgirisF(Session& session, SourceTypeList& sourceTypes)
    : session_(session), sourceTypes_(sourceTypes)
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
    setHeadingFont(heading, 6);
    layout->addWidget(heading);

    titleLabel = new QLabel(QStringLiteral("........................."));
    titleLabel->setObjectName(QStringLiteral("Label1"));
    titleLabel->setAlignment(Qt::AlignCenter);
    setHeadingFont(titleLabel, 2);
    layout->addWidget(titleLabel);

    auto* grid = new QGridLayout;
    codeEdit = new QLineEdit;
    codeEdit->setObjectName(QStringLiteral("firmaedit"));
    codeEdit->setMaxLength(kRememberedCodeWidth);
    yearEdit = new QLineEdit;
    yearEdit->setObjectName(QStringLiteral("yilEdit"));
    yearEdit->setMaxLength(4);
    passwordEdit = new QLineEdit;
    passwordEdit->setObjectName(QStringLiteral("sifreEdit"));
    passwordEdit->setEchoMode(QLineEdit::Password);

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
        {"Kasa Kodu", codeEdit, pickFromListButton},
        {"Çalışma Yılı", yearEdit, newCashBookButton},
        {"Şifre", passwordEdit, passwordsButton},
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

    // Tab order of the entry screen: the three boxes, then "KASA İŞLEMLERİNE GİR", then the
    // other buttons as the eye meets them, so the keyboard goes code, year, password, in.
    const QList<QWidget*> order{codeEdit,        yearEdit,           passwordEdit,
                                enterButton,     pickFromListButton, newCashBookButton,
                                passwordsButton, currenciesButton,   sourceTypesButton,
                                manualButton,    updateButton,       helpButton};
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }

    makeEnterMoveOn(codeEdit);
    makeEnterMoveOn(yearEdit);
    acceptDigitsOnly(yearEdit);
    makeEnterMoveOn(passwordEdit);
    codeEdit->installEventFilter(this);
    yearEdit->installEventFilter(this);

    connect(enterButton, &QPushButton::clicked, this, [this] { enterCashBook(); });
    connect(pickFromListButton, &QPushButton::clicked, this, &TgirisF::cashBookListRequested);
    connect(newCashBookButton, &QPushButton::clicked, this, &TgirisF::newCashBookRequested);
    connect(currenciesButton, &QPushButton::clicked, this, &TgirisF::currenciesRequested);
    connect(sourceTypesButton, &QPushButton::clicked, this, &TgirisF::sourceTypesRequested);
    connect(helpButton, &QToolButton::clicked, this, &TgirisF::helpRequested);
    connect(passwordsButton, &QPushButton::clicked, this, [this] { openPasswords(); });
    connect(updateButton, &QPushButton::clicked, this, &TgirisF::updateRequested);
    connect(manualButton, &QPushButton::clicked, this, [] {
        // The manual opens in the desktop's viewer; a missing file or viewer is not reported.
        dialogs().openWithDefaultProgram(programFilesFolder() + QStringLiteral("TamevoYardim.pdf"));
    });
}

void TgirisF::start()
{
    guarded([] { enterProgramFolder(); });
    hafizadanoku();
    codeEdit->setEnabled(true);
    pickFromListButton->setEnabled(true);
    newCashBookButton->setEnabled(true);
    enterButton->setEnabled(true);
    // The keyboard starts where typing is needed: the first empty box, else the password.
    QLineEdit* first = codeEdit->text().isEmpty()   ? codeEdit
                       : yearEdit->text().isEmpty() ? yearEdit
                                                    : passwordEdit;
    first->setFocus(Qt::OtherFocusReason);
}

void TgirisF::hafizadanoku()
{
    const RememberedEntry remembered = readRememberedEntry();
    codeEdit->setText(remembered.code);
    yearEdit->setText(remembered.year);
    titleLabel->setText(remembered.title);
}

void TgirisF::hafizayayaz()
{
    guarded([this] {
        writeRememberedEntry({codeEdit->text(), yearEdit->text(), titleLabel->text()});
    });
}

bool TgirisF::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == codeEdit || watched == yearEdit) &&
        event->type() == QEvent::MouseButtonDblClick) {
        emit cashBookListRequested();
        return true;
    }
    // Leaving the code or the year box for another control of this window looks the code up;
    // a message box or another window taking the focus is not leaving.
    if ((watched == codeEdit || watched == yearEdit) && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            isVisible()) {
            lookUpTypedCode();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TgirisF::lookUpTypedCode()
{
    bool found = false;
    const bool ran = guarded([&] {
        const CodeLookup lookup = lookUpCashBookCode(session_, codeEdit->text());
        found = lookup.found;
        if (found) {
            titleLabel->setText(lookup.title);
        }
    });
    if (!ran || found) {
        return found;
    }
    const auto answer =
        dialogs().question(kProgramTitle, kCodeNotFoundQuestion, Dialogs::Buttons::YesNoCancel);
    codeEdit->setFocus(Qt::OtherFocusReason);
    if (answer == Dialogs::Answer::Yes) {
        // The user completes and saves the record in the registry window; this path does not
        // unlock its code field.
        emit registryRecordStarted();
        guarded([&] { startNewRegistryRecord(session_, codeEdit->text()); });
    }
    return false;
}

void TgirisF::enterCashBook()
{
    if (!guarded([&] { session_.ADOConnection1.open(); })) {
        return;
    }
    sourceTypes_.KaynakSekliAyarla();

    PasswordCheck check = PasswordCheck::Accepted;
    if (!guarded(
            [&] { check = checkEntryPassword(session_, wrongPasswords_, passwordEdit->text()); })) {
        return;
    }
    switch (check) {
        case PasswordCheck::Accepted:
            break;
        case PasswordCheck::Wrong:
            passwordEdit->clear();
            dialogs().message(kApplicationTitle, kWrongPassword, Dialogs::Icon::Error);
            return;
        case PasswordCheck::WrongTooOften:
            passwordEdit->clear();
            waiveExitQuestion();
            close();
            return;
    }

    if (!isValidWorkingYear(yearEdit->text())) {
        showMessage(kWrongYear);
        return;
    }
    if (codeEdit->text().isEmpty()) {
        showMessage(kWrongCode);
        return;
    }
    const bool registered = lookUpTypedCode();
    // An unregistered code enters only when the user chose to create it; the registry
    // record is then still being written and no database is made from it.
    if (!registered && !session_.FirmaTakip.isEditing()) {
        return;
    }

    OpenBookTexts texts;
    const bool opened = guarded([&] {
        texts = session_.kasaac(
            registered ? session_.FirmaTakip.value(QStringLiteral("firma_kodu")).toString()
                       : codeEdit->text(),
            yearEdit->text(), registryRecordForNewFile(session_));
    });
    if (!opened) {
        return;
    }
    hafizayayaz();
    hide();
    emit bookOpened(texts);
}

void TgirisF::openPasswords()
{
    MasterCheck check = MasterCheck::Accepted;
    if (!guarded([&] {
            check = checkMasterPassword(session_, wrongPasswords_, passwordEdit->text());
        })) {
        return;
    }
    if (check == MasterCheck::Accepted) {
        emit passwordsRequested();
        return;
    }
    passwordEdit->clear();
    if (check == MasterCheck::WrongTooOften) {
        // The program is asked to close: the exit question decides.
        close();
    }
    dialogs().message(kApplicationTitle, kWrongMasterPassword, Dialogs::Icon::Error);
}

QString TgirisF::workingYearText() const
{
    return yearEdit->text();
}

void TgirisF::setWorkingYearText(const QString& year)
{
    yearEdit->setText(year);
}

void TgirisF::setChosenCashBook(const QString& code, const QString& title)
{
    codeEdit->setText(code);
    titleLabel->setText(title);
}

void TgirisF::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    emit exitConfirmed();
}

bool TgirisF::FormCloseQuery()
{
    if (exitQuestionWaived_) {
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
    emit bookCloseRequested();
    return false;
}

}  // namespace tamevo
