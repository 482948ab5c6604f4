#include "reportengine/ReportPreview.h"

#include "data/Dialogs.h"
#include "reportengine/ReportPainter.h"
#include "reportengine/ReportPreviewPort.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tamevo::report {

const QString ReportPreview::kTitle = kReportPreviewTitle;
const QList<int> ReportPreview::kZoomSteps{50, 75, 100, 125, 150, 200, 300};

namespace {

constexpr int kDefaultZoom = 100;
// The size the preview is designed for; a smaller screen gets its free area.
constexpr int kDesignWidth = 980;
constexpr int kDesignHeight = 900;
constexpr int kGap = 12;  // pixels around and between the pages
const QString kPdfFilter = QStringLiteral("PDF Dosyaları (*.pdf)");

}  // namespace

// The pages one under the other at the zoom; only the pages in view are drawn.
class PageCanvas : public QWidget {
public:
    PageCanvas(const PreparedReport& report, QWidget* parent)
        : QWidget(parent), report_(report), painter_(report)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setZoom(int percent)
    {
        zoom_ = percent;
        resize(kGap * 2 + pageWidth(), kGap + report_.pageCount() * (pageHeight() + kGap));
        update();
    }
    int zoom() const { return zoom_; }

    void setHighlight(const PreparedItem* item)
    {
        highlight_ = item;
        update();
    }

    double dotsPerMm() const { return zoom_ / 100.0 * logicalDpiX() / 25.4; }
    int pageWidth() const { return qRound(report_.page.width * dotsPerMm()); }
    int pageHeight() const { return qRound(report_.page.height * dotsPerMm()); }
    int pageTop(int page) const { return kGap + page * (pageHeight() + kGap); }
    int pageAt(int y) const
    {
        return std::clamp((y - kGap / 2) / (pageHeight() + kGap), 0,
                          std::max(0, report_.pageCount() - 1));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(128, 128, 128));
        if (report_.pageCount() == 0) {
            return;
        }
        const int first = pageAt(event->rect().top());
        const int last = pageAt(event->rect().bottom());
        for (int page = first; page <= last; ++page) {
            const QRect paper(kGap, pageTop(page), pageWidth(), pageHeight());
            painter.fillRect(paper, Qt::white);
            painter.save();
            painter.translate(paper.topLeft());
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter_.drawPage(painter, page, dotsPerMm(), zoom_ / 100.0, highlight_);
            painter.restore();
        }
    }

private:
    const PreparedReport& report_;
    ReportPainter painter_;
    int zoom_ = kDefaultZoom;
    const PreparedItem* highlight_ = nullptr;
};

ReportPreview::ReportPreview(const PreparedReport& report, QWidget* parent)
    : QDialog(parent), report_(report)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(kTitle);
    setModal(true);

    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    zoomOutButton = button("zoomOutButton", QStringLiteral("Uzaklaştır"));
    zoomInButton = button("zoomInButton", QStringLiteral("Yakınlaştır"));
    zoomBox = new QComboBox(this);
    zoomBox->setObjectName(QStringLiteral("zoomBox"));
    for (int step : kZoomSteps) {
        zoomBox->addItem(QStringLiteral("%%1").arg(step), step);
    }
    auto* zoomLabel = new QLabel(QStringLiteral("Yakınlık:"), this);
    zoomLabel->setBuddy(zoomBox);
    findEdit = new QLineEdit(this);
    findEdit->setObjectName(QStringLiteral("findEdit"));
    auto* findLabel = new QLabel(QStringLiteral("Bul:"), this);
    findLabel->setBuddy(findEdit);
    findButton = button("findButton", QStringLiteral("Sonrakini Bul"));
    printButton = button("printButton", QStringLiteral("Yazdır"));
    saveButton = button("saveButton", QStringLiteral("PDF Olarak Kaydet"));
    openButton = button("openButton", QStringLiteral("Kayıtlı Raporu Aç"));
    closeButton = button("closeButton", QStringLiteral("Kapat"));
    pageLabel = new QLabel(this);
    pageLabel->setObjectName(QStringLiteral("pageLabel"));
    previousPageButton = button("previousPageButton", QStringLiteral("Önceki Sayfa"));
    nextPageButton = button("nextPageButton", QStringLiteral("Sonraki Sayfa"));
    pageBox = new QSpinBox(this);
    pageBox->setObjectName(QStringLiteral("pageBox"));
    pageBox->setRange(1, std::max(1, report_.pageCount()));
    pageBox->setAccessibleName(QStringLiteral("Sayfa"));
    pageBox->setKeyboardTracking(false);
    auto* pageCaption = new QLabel(QStringLiteral("Sayfaya Git:"), this);
    pageCaption->setBuddy(pageBox);

    // Two rows, so the preview fits a laptop's screen: seeing and finding above, the page,
    // printing and saving below.
    auto* tools = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{
             zoomLabel, zoomBox, zoomOutButton, zoomInButton, findLabel, findEdit, findButton}) {
        tools->addWidget(w);
    }
    tools->addStretch(1);
    tools->addWidget(pageLabel);
    auto* commands = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{pageCaption, previousPageButton, pageBox,
                                                      nextPageButton}) {
        commands->addWidget(w);
    }
    commands->addStretch(1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{printButton, saveButton, openButton, closeButton}) {
        commands->addWidget(w);
    }

    canvas_ = new PageCanvas(report_, this);
    scrollArea = new QScrollArea(this);
    scrollArea->setObjectName(QStringLiteral("scrollArea"));
    scrollArea->setAccessibleName(kTitle);
    scrollArea->setWidget(canvas_);
    scrollArea->setAlignment(Qt::AlignHCenter);
    scrollArea->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(commands);
    layout->addWidget(scrollArea, 1);

    setZoom(kDefaultZoom);
    fitToScreen();

    connect(zoomBox, &QComboBox::activated, this,
            [this](int index) { setZoom(zoomBox->itemData(index).toInt()); });
    connect(zoomInButton, &QPushButton::clicked, this, [this] {
        for (int step : kZoomSteps) {
            if (step > zoom()) {
                setZoom(step);
                return;
            }
        }
    });
    connect(zoomOutButton, &QPushButton::clicked, this, [this] {
        for (auto it = kZoomSteps.crbegin(); it != kZoomSteps.crend(); ++it) {
            if (*it < zoom()) {
                setZoom(*it);
                return;
            }
        }
    });
    connect(findButton, &QPushButton::clicked, this, [this] { findNext(); });
    connect(findEdit, &QLineEdit::returnPressed, this, [this] { findNext(); });
    connect(printButton, &QPushButton::clicked, this, [this] { printToDefaultPrinter(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(openButton, &QPushButton::clicked, this, [this] { openSaved(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(scrollArea->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { updatePageLabel(); });
    connect(pageBox, &QSpinBox::valueChanged, this, [this](int page) { showPage(page - 1); });
    connect(previousPageButton, &QPushButton::clicked, this,
            [this] { showPage(currentPage() - 1); });
    connect(nextPageButton, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
}

void ReportPreview::fitToScreen()
{
    QSize size(kDesignWidth, kDesignHeight);
    if (const QScreen* screen = this->screen()) {
        // The window's frame (its title bar) comes on top of the size asked for.
        const QRect free = screen->availableGeometry();
        size = size.boundedTo(free.size() - QSize(16, 48));
        resize(size.expandedTo(minimumSizeHint()).boundedTo(free.size()));
        move(free.center() - rect().center());
        return;
    }
    resize(size);
}

void ReportPreview::showPage(int page)
{
    if (report_.pageCount() == 0) {
        return;
    }
    page = std::clamp(page, 0, report_.pageCount() - 1);
    scrollArea->verticalScrollBar()->setValue(canvas_->pageTop(page) - kGap);
    updatePageLabel();
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::zoom() const
{
    return canvas_->zoom();
}

void ReportPreview::setZoom(int percent)
{
    const int page = currentPage();
    canvas_->setZoom(percent);
    const int index = zoomBox->findData(percent);
    zoomBox->setCurrentIndex(index);
    scrollArea->verticalScrollBar()->setValue(canvas_->pageTop(page) - kGap);
    updatePageLabel();
}

int ReportPreview::currentPage() const
{
    return canvas_->pageAt(scrollArea->verticalScrollBar()->value() + kGap);
}

void ReportPreview::updatePageLabel()
{
    pageLabel->setText(
        QStringLiteral("Sayfa %1 / %2").arg(currentPage() + 1).arg(report_.pageCount()));
    const QSignalBlocker quiet(pageBox);
    pageBox->setValue(currentPage() + 1);
}

bool ReportPreview::findNext()
{
    const QString wanted = findEdit->text();
    if (wanted.isEmpty() || report_.pageCount() == 0) {
        return false;
    }
    // From the item after the last one found, through the last page, then from the start.
    int page = foundPage_ < 0 ? 0 : foundPage_;
    int item = foundPage_ < 0 ? 0 : foundItem_ + 1;
    for (int visited = 0; visited <= report_.pageCount(); ++visited) {
        const QVector<PreparedItem>& items = report_.pages[page].items;
        for (; item < items.size(); ++item) {
            if (items[item].text.contains(wanted, Qt::CaseInsensitive)) {
                foundPage_ = page;
                foundItem_ = item;
                canvas_->setHighlight(&items[item]);
                // The hit near the top of the view, so its page is the page shown.
                const double dotsPerMm = canvas_->dotsPerMm();
                const int top = canvas_->pageTop(page) + int(items[item].y * dotsPerMm);
                scrollArea->verticalScrollBar()->setValue(top - 2 * kGap);
                scrollArea->ensureVisible(kGap + int(items[item].x * dotsPerMm), top, 50, 2 * kGap);
                updatePageLabel();
                return true;
            }
        }
        page = (page + 1) % report_.pageCount();
        item = 0;
    }
    foundPage_ = foundItem_ = -1;
    canvas_->setHighlight(nullptr);
    dialogs().message(kTitle, QStringLiteral("\"%1\" bulunamadı.").arg(wanted),
                      Dialogs::Icon::Information);
    return false;
}

void ReportPreview::printToDefaultPrinter()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(report_));
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, report_.pageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const bool range = printer.printRange() == QPrinter::PageRange;
    guarded([&] {
        printReport(report_, printer, range ? printer.fromPage() : 0, range ? printer.toPage() : 0);
    });
}

void ReportPreview::saveAsPdf()
{
    QString path = dialogs().saveFileName(QStringLiteral("PDF Olarak Kaydet"), QDir::homePath(),
                                          kPdfFilter, QStringLiteral("pdf"));
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        path += QLatin1String(".pdf");
    }
    guarded([&] {
        const auto progress =
            dialogs().startProgress(QStringLiteral("PDF Olarak Kaydediliyor"), true);
        writePdf(report_, path, progress.get());
    });
}

void ReportPreview::openSaved()
{
    const QString path =
        dialogs().openFileName(QStringLiteral("Kayıtlı Raporu Aç"), QDir::homePath(), kPdfFilter);
    if (path.isEmpty()) {
        return;
    }
    if (!dialogs().openWithDefaultProgram(path)) {
        showError(QStringLiteral("%1 açılamadı.").arg(path));
    }
}

}  // namespace tamevo::report
