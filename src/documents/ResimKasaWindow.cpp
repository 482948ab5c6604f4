#include "documents/ResimKasaWindow.h"

#include "widgets/DatasetModel.h"
#include "data/Dialogs.h"
#include "data/DisplayFormat.h"
#include "data/ProgramVersion.h"
#include "documents/DocumentRules.h"
#include "widgets/FieldBinding.h"
#include "widgets/KeyFilters.h"
#include "data/Session.h"
#include "widgets/WindowKit.h"
#include "ledger/Ledger.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QCloseEvent>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace tamevo {

// The picture of the selected document, scaled down to fit with its proportions kept and
// centred; a picture smaller than the view shows at its own size.
class DocumentPictureView : public QWidget {
public:
    DocumentPictureView()
    {
        setObjectName(QStringLiteral("DBImage1"));
        setAccessibleName(QStringLiteral("Evrak Resmi"));
        setMinimumSize(200, 200);
        setAutoFillBackground(true);
    }

    void setImage(const QImage& image)
    {
        image_ = image;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (image_.isNull()) {
            return;
        }
        QSizeF size = image_.size();
        if (size.width() > width() || size.height() > height()) {
            size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
        }
        QRectF target(QPointF(), size);
        target.moveCenter(QRectF(rect()).center());
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image_);
    }

private:
    QImage image_;
};

TresimkasaF::TresimkasaF(Session& session, Ledger& ledger)
    : ledger_(ledger), documents_(session, ledger, formats_)
{
    setObjectName(QStringLiteral("resimkasaF"));
    setWindowTitle(
        QStringLiteral("Norvane Tamevo Programı - Kasa Hareketleri Evrak Kayıt ve İzleme"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopPanel());
    auto* middle = new QSplitter(Qt::Horizontal);
    middle->addWidget(buildDocumentColumn());
    pictureView_ = new DocumentPictureView;
    middle->addWidget(pictureView_);
    middle->setStretchFactor(1, 1);
    layout->addWidget(middle, 1);
    setCentralWidget(central);

    statusPanels_ = addStatusPanels(this, 3);

    ledger_.movements().onAnyChange(this, [this] { showMovement(); });
    documents_.ResimTakip.onAnyChange(this, [this] { showPicture(); });
    showMovement();
}

TresimkasaF::~TresimkasaF() = default;

QWidget* TresimkasaF::buildTopPanel()
{
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    const auto field = [&](const char* objectName, const char* caption, int row, int column,
                           int span = 1) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(objectName));
        edit->setReadOnly(true);
        grid->addWidget(makeCaption(QString::fromUtf8(caption), edit), row, column);
        grid->addWidget(edit, row, column + 1, 1, span);
        return edit;
    };
    descriptionField_ = field("DBEdit2", "Açıklama", 0, 0, 5);
    typeField_ = field("DBEdit3", "İşlem Türü", 1, 0);
    dayField_ = field("DBEdit4", "Kasa Tarih", 1, 2);
    numberField_ = field("DBEdit8", "Kayıt No", 1, 4);
    inField_ = field("DBEdit5", "Tahilat Tutarı", 2, 0);
    outField_ = field("DBEdit6", "Ödeme Tutarı", 2, 2);
    currencyField_ = field("DBEdit7", "Para Cinsi", 2, 4);
    for (QLineEdit* amount : {inField_, outField_}) {
        amount->setAlignment(Qt::AlignRight);
    }

    portraitButton_ =
        makeButton(QStringLiteral("JvXPButton23"), QStringLiteral("Dikey Önizle Yazdır"));
    landscapeButton_ =
        makeButton(QStringLiteral("JvXPButton22"), QStringLiteral("Yatay Önizle Yazdır"));
    saveJpegButton_ =
        makeButton(QStringLiteral("JvXPButton24"), QStringLiteral("JPG Olarak Sakla"));
    viewerButton_ = makeButton(QStringLiteral("windowsacBut"), QStringLiteral("Windows'tan Aç"));
    closeButton_ = makeButton(QStringLiteral("kapatBut"), QStringLiteral("KAPAT"));
    closeButton_->setToolTip(QStringLiteral("Programı kapat..."));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button :
         {portraitButton_, landscapeButton_, saveJpegButton_, viewerButton_, closeButton_}) {
        buttons->addWidget(button);
    }
    grid->addLayout(buttons, 3, 0, 1, 6);

    connect(portraitButton_, &QPushButton::clicked, this, [this] { printPortrait(); });
    connect(landscapeButton_, &QPushButton::clicked, this, [this] { printLandscape(); });
    connect(saveJpegButton_, &QPushButton::clicked, this, [this] { saveAsJpeg(); });
    connect(viewerButton_, &QPushButton::clicked, this, [this] { openInViewer(); });
    connect(closeButton_, &QPushButton::clicked, this, [this] { close(); });
    return panel;
}

QWidget* TresimkasaF::buildDocumentColumn()
{
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    nameEdit_ = new QLineEdit;
    nameEdit_->setObjectName(QStringLiteral("DBEdit1"));
    nameEdit_->setMaxLength(30);  // resimadi
    bindLineEdit(nameEdit_, &documents_.ResimTakip, QStringLiteral("resimadi"));
    makeEnterMoveOn(nameEdit_);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(makeCaption(QStringLiteral("Evrak Adı"), nameEdit_));
    nameRow->addWidget(nameEdit_, 1);
    layout->addLayout(nameRow);

    newButton_ = makeButton(QStringLiteral("JvXPButton20"), QStringLiteral("Yeni"));
    deleteButton_ = makeButton(QStringLiteral("JvXPButton19"), QStringLiteral("Sil"));
    storeButton_ = makeButton(QStringLiteral("JvXPButton18"), QStringLiteral("Sakla"));
    loadButton_ = makeButton(QStringLiteral("JvXPButton28"), QStringLiteral("Evrak Yükle"));
    auto* buttons = new QGridLayout;
    buttons->addWidget(newButton_, 0, 0);
    buttons->addWidget(deleteButton_, 0, 1);
    buttons->addWidget(storeButton_, 1, 0);
    buttons->addWidget(loadButton_, 1, 1);
    layout->addLayout(buttons);

    documentGrid_ = new QTableView;
    documentGrid_->setObjectName(QStringLiteral("DBGrid1"));
    documentGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    documentGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    documentGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    documentGrid_->verticalHeader()->setVisible(false);
    auto* model = new DatasetModel(documents_.ResimTakip, this);
    model->addColumn(QStringLiteral("resimadi"), QStringLiteral("Evrak Adı"));
    bindTableView(*documentGrid_, *model);
    documentGrid_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(makeCaption(QStringLiteral("Evraklar"), documentGrid_));
    layout->addWidget(documentGrid_, 1);

    connect(newButton_, &QPushButton::clicked, this, [this] { addDocument(); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { deleteDocument(); });
    connect(storeButton_, &QPushButton::clicked, this, [this] { storeDocument(); });
    connect(loadButton_, &QPushButton::clicked, this, [this] { loadPicture(); });
    return column;
}

void TresimkasaF::showDocuments()
{
    statusPanels_[2]->setText(versionPanelText());
    guarded([this] { documents_.open(); });
    show();
    raise();
}

bool TresimkasaF::settlePendingDocument()
{
    if (!documents_.hasUnstoredPicture() ||
        dialogs().question(kProgramTitle, kStoreBeforeClosingQuestion, Dialogs::Buttons::YesNo,
                           Dialogs::Icon::Question, Dialogs::Answer::No) != Dialogs::Answer::Yes) {
        return true;
    }
    return guarded([this] { documents_.store(); });
}

void TresimkasaF::closeEvent(QCloseEvent* event)
{
    // A document that could not be stored keeps the window open, with its message.
    if (!settlePendingDocument()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TresimkasaF::hideEvent(QHideEvent* event)
{
    // A minimised window keeps its pending document; only hiding it drops one.
    if (!event->spontaneous()) {
        documents_.close();
    }
    QMainWindow::hideEvent(event);
}

void TresimkasaF::showMovement()
{
    const Dataset& movements = ledger_.movements();
    const auto value = [&](const char* field) {
        return movements.isOpen() ? movements.value(QString::fromLatin1(field)) : QVariant();
    };
    descriptionField_->setText(value("aciklama").toString());
    typeField_->setText(value("neden").toString());
    const QDate day = value("islem_tarihi").toDate();
    dayField_->setText(day.isValid() ? day.toString(QStringLiteral("dd.MM.yyyy")) : QString());
    inField_->setText(formatAmount(value("borc_tutar")));
    outField_->setText(formatAmount(value("alacak_tutar")));
    currencyField_->setText(value("doviz_cinsi").toString());
    numberField_->setText(value("nid").toString());
}

void TresimkasaF::showPicture()
{
    const Dataset& documents = documents_.ResimTakip;
    const QByteArray bytes =
        documents.isOpen() ? documents.value(QStringLiteral("resim")).toByteArray() : QByteArray();
    if (bytes == shownBytes_) {
        return;
    }
    shownBytes_ = bytes;
    // Decoded at most at the size the view can take, the screen's.
    const QSize screenSize = screen()->availableSize() * screen()->devicePixelRatio();
    pictureView_->setImage(toImage(formats_.decode(bytes, screenSize)));
}

void TresimkasaF::addDocument()
{
    guarded([this] { documents_.newDocument(); });
}

void TresimkasaF::deleteDocument()
{
    guarded([this] { documents_.deleteDocument(); });
}

void TresimkasaF::storeDocument()
{
    guarded([this] { documents_.store(); });
}

void TresimkasaF::loadPicture()
{
    guarded([this] { documents_.loadPicture(); });
}

void TresimkasaF::printPortrait()
{
    guarded([this] { documents_.print(DocumentPage::Portrait, measurer_); });
}

void TresimkasaF::printLandscape()
{
    guarded([this] { documents_.print(DocumentPage::Landscape, measurer_); });
}

void TresimkasaF::saveAsJpeg()
{
    guarded([this] { documents_.saveAsJpeg(); });
}

void TresimkasaF::openInViewer()
{
    guarded([this] { documents_.openInViewer(); });
}

}  // namespace tamevo
