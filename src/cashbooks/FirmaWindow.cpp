#include "cashbooks/FirmaWindow.h"

#include "data/Dialogs.h"
#include "data/Session.h"
#include "widgets/DatasetModel.h"
#include "widgets/FieldBinding.h"
#include "widgets/KeyFilters.h"
#include "widgets/WindowKit.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

namespace tamevo {

TfirmaF::TfirmaF(Session& session) : session_(session), registry_(session), backups_(session)
{
    setObjectName(QStringLiteral("firmaF"));
    centreOnFirstShow(this);
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı - Kasa Bilgileri"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildUpperPanel());
    layout->addWidget(buildMiddlePanel(), 1);

    layout->addWidget(buildBackupPanel());

    serverButton = makeButton(QStringLiteral("sunucuBut"), QStringLiteral("Sunucu Ayarları"));
    layout->addWidget(serverButton, 0, Qt::AlignRight);
    connect(serverButton, &QPushButton::clicked, this, &TfirmaF::serverSettingsRequested);

    buildMenu();
    resize(640, 620);
}

QGroupBox* TfirmaF::buildUpperPanel()
{
    auto* panel = new QGroupBox(QStringLiteral("KAYITLI KASA BİLGİLERİ"));
    panel->setObjectName(QStringLiteral("upperPanel"));
    auto* grid = new QGridLayout(panel);

    Dataset* registry = &session_.FirmaTakip;
    const struct {
        QLineEdit** edit;
        const char* caption;
        const char* field;
        int width;
    } fields[] = {
        {&unvanEdit, "Kasa Adı", "firma_unvani_1", 100},
        {&adresEdit, "Adresi", "firma_adresi_1", 100},
        {&ilceEdit, "İlçe", "adres_semt", 30},
        {&sehirEdit, "Şehir", "adres_sehir", 30},
        {&telefonEdit, "Telefon", "telefon1_no", 15},
        {&telefon2Edit, "Tel 2", "telefon2_no", 15},
        {&vergiDaireEdit, "Vergi D.", "vergi_dairesi", 30},
        {&vergiNoEdit, "Vergi No:", "vergi_no", 16},
        {&faksEdit, "Faks", "fax_no", 15},
        {&irtibatEdit, "İrtibat", "firma_irtibat_kisi", 50},
        {&kodEdit, "Kasa Kodu", "firma_kodu", kCashBookCodeMaxLength},
    };
    // Two columns of fields: title and address span the row, the rest pair up.
    int row = 0;
    int column = 0;
    for (const auto& f : fields) {
        const QString caption = QString::fromUtf8(f.caption);
        const QString field = QString::fromLatin1(f.field);
        auto* edit = new QLineEdit;
        edit->setObjectName(field);
        edit->setAccessibleName(caption);
        // The column's width: nothing typed is ever cut by the database.
        edit->setMaxLength(f.width);
        auto* label = new QLabel(caption);
        label->setBuddy(edit);
        const bool wide =
            field == QLatin1String("firma_unvani_1") || field == QLatin1String("firma_adresi_1");
        if (wide) {
            if (column != 0) {
                ++row;
                column = 0;
            }
            grid->addWidget(label, row, 0);
            grid->addWidget(edit, row, 1, 1, 3);
            ++row;
        } else {
            grid->addWidget(label, row, column * 2);
            grid->addWidget(edit, row, column * 2 + 1);
            column = 1 - column;
            if (column == 0) {
                ++row;
            }
        }
        bindLineEdit(edit, registry, field);
        makeEnterMoveOn(edit);
        *f.edit = edit;
        fieldEdits << edit;
    }
    kodEdit->setReadOnly(true);
    // Backspace, Enter, digits and the letters A-Z, a-z type; every other character key
    // (space, signs, Turkish letters) is swallowed; shortcuts keep their work.
    acceptOnlyCharacters(kodEdit, isCashBookCodeCharacter, true);

    chooseButton = makeButton(QStringLiteral("secButton"), QStringLiteral("KASAYI SEÇ"));
    newButton = makeButton(QStringLiteral("yeniButton"), QStringLiteral("YENİ KASA AÇ"));
    cancelButton = makeButton(QStringLiteral("vazgecBut"), QStringLiteral("VAZGEÇ"));
    saveButton = makeButton(QStringLiteral("kaydetBut"), QStringLiteral("KAYDET"));
    closeButton = makeButton(QStringLiteral("kapatBut"), QStringLiteral("KAPAT"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {chooseButton, newButton, cancelButton, saveButton, closeButton}) {
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, row + 1, 0, 1, 4);

    // Enter (and Tab) go from the title to the code, then on to the buttons.
    QList<QWidget*> order;
    for (QLineEdit* edit : fieldEdits) {
        order << edit;
    }
    order << chooseButton << newButton << cancelButton << saveButton << closeButton;
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }

    connect(chooseButton, &QPushButton::clicked, this, [this] { KasayiSec(); });
    connect(newButton, &QPushButton::clicked, this, [this] { startNewCashBook(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelChanges(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { saveCashBook(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { closeRegistry(); });
    return panel;
}

QWidget* TfirmaF::buildMiddlePanel()
{
    registryGrid = new QTableView;
    registryGrid->setObjectName(QStringLiteral("DBGrid1"));
    registryGrid->setAccessibleName(QStringLiteral("Kayıtlı kasalar"));
    registryGrid->verticalHeader()->setVisible(false);
    registryGrid->verticalHeader()->setDefaultSectionSize(22);
    registryGrid->horizontalHeader()->setStretchLastSection(true);
    gridModel = new DatasetModel(session_.FirmaTakip, this);
    gridModel->addColumn(QStringLiteral("firma_kodu"), QStringLiteral("Kasa Kodu"));
    gridModel->addColumn(QStringLiteral("firma_unvani_1"), QStringLiteral("Kasa Adı"));
    tintAlternateRows(*gridModel);
    bindTableView(*registryGrid, *gridModel);
    registryGrid->setColumnWidth(0, 120);
    connect(registryGrid, &QTableView::doubleClicked, this, [this] { KasayiSec(); });
    return registryGrid;
}

void TfirmaF::buildMenu()
{
    gridMenu = new QMenu(this);
    gridMenu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](QAction** action, const char* objectName, const char* caption,
                            const QKeySequence& key, const std::function<void()>& run) {
        *action = new QAction(QString::fromUtf8(caption), this);
        (*action)->setObjectName(QString::fromLatin1(objectName));
        if (!key.isEmpty()) {
            (*action)->setShortcut(key);
            (*action)->setShortcutContext(Qt::WindowShortcut);
            addAction(*action);
        }
        connect(*action, &QAction::triggered, this, run);
        gridMenu->addAction(*action);
    };
    add(&chooseAction, "Se1", "Seç", QKeySequence(Qt::Key_F2), [this] { KasayiSec(); });
    add(&closeAction, "Kapat1", "Kapat", QKeySequence(Qt::Key_F10), [this] { closeRegistry(); });
    gridMenu->addSeparator();
    add(&backUpOneAction, "TekKasaYedek1", "Tek Kasanın Yedeğini Al",
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Y), [this] { TekKasaYedekle(); });
    add(&restoreOneAction, "TekKasaGeriYukle1", "Tek Kasayı Yedekten Geri Yükle", {},
        [this] { TekKasaGeriYukle(); });
    add(&backUpAllAction, "TumKasaYedek1", "Tüm Kasaların Yedeğini Al",
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T), [this] { TumunuYedekle(); });
    add(&restoreAllAction, "TumKasaGeriYukle1", "Tüm Kasaları Yedekten Geri Yükle", {},
        [this] { TumFirmalarGeriYukle(); });
    gridMenu->addSeparator();
    add(&deleteAction, "KSil1", "Kasa Firmasını Sil", {}, [this] { deleteCashBook(); });

    registryGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(registryGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        gridMenu->popup(registryGrid->viewport()->mapToGlobal(at));
    });
}

void TfirmaF::unlockCode()
{
    codeUnlocked_ = true;
    kodEdit->setReadOnly(false);
}

void TfirmaF::KasayiSec()
{
    const Dataset& registry = session_.FirmaTakip;
    emit cashBookChosen(registry.value(QStringLiteral("firma_kodu")).toString(),
                        registry.value(QStringLiteral("firma_unvani_1")).toString());
    hide();
}

void TfirmaF::startNewCashBook()
{
    if (guarded([this] { registry_.yeni(); })) {
        unlockCode();
    }
}

void TfirmaF::saveCashBook()
{
    const QString yearText = workingYearText ? workingYearText() : QString();
    guarded([&] { registry_.kaydet(yearText); });
}

void TfirmaF::cancelChanges()
{
    guarded([this] { registry_.vazgec(); });
}

void TfirmaF::deleteCashBook()
{
    guarded([this] { registry_.sil(); });
}

void TfirmaF::closeRegistry()
{
    hide();
}

void TfirmaF::showList()
{
    guarded([this] { registry_.open(); });
    show();
    raise();
    activateWindow();
}

void TfirmaF::showNewCashBook()
{
    show();
    raise();
    activateWindow();
    startNewCashBook();
}

}  // namespace tamevo
