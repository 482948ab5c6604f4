#include "help/YardimWindow.h"

#include "data/ProgramVersion.h"
#include "data/ProgramFolder.h"
#include "widgets/WindowKit.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tamevo {

namespace {

const QString kEntryTopicFile = QStringLiteral("ygiris");
const QString kLedgerTopicFile = QStringLiteral("ykasa");

}  // namespace

TyardimF::TyardimF()
{
    setObjectName(QStringLiteral("yardimF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı Yardım"));
    resize(640, 520);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    topicBox = new QComboBox;
    topicBox->setObjectName(QStringLiteral("ComboBox1"));
    topicBox->setEditable(true);
    topicBox->addItems({QStringLiteral("Giriş ve Yedekleme İşlemleri Kullanımı"),
                        QStringLiteral("Kasa İşlemlerinin Kullanımı")});
    topicBox->setCurrentIndex(0);
    top->addWidget(makeCaption(QStringLiteral("Yardım Alınacak Konuyu Seçin"), topicBox));
    top->addWidget(topicBox, 1);
    closeButton = makeButton(QStringLiteral("JvXPButton10"), QStringLiteral("KAPAT"));
    top->addWidget(closeButton);
    layout->addLayout(top);

    topicText = new QTextEdit;
    topicText->setObjectName(QStringLiteral("RichEdit1"));
    topicText->setReadOnly(true);
    topicText->setAccessibleName(QStringLiteral("Yardım Metni"));
    topicText->setTabChangesFocus(false);
    layout->addWidget(topicText, 1);

    auto* status = new QHBoxLayout;
    for (const QString& text : {QString(), QString(), QString(), QString()}) {
        auto* panel = new QLabel(text);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(statusPanels_.size() + 1));
        statusPanels_ << panel;
        status->addWidget(panel, statusPanels_.size() == 4 ? 1 : 0);
    }
    layout->addLayout(status);

    connect(topicBox, &QComboBox::activated, this, [this](int index) { ComboBox1Change(index); });
    connect(closeButton, &QPushButton::clicked, this, [this] { hide(); });
}

void TyardimF::loadTopic(const QString& fileName)
{
    QFile file(programFilesFolder() + fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    // The topics are rich text (HTML); a plain text file shows as it stands.
    const QString text = QString::fromUtf8(file.readAll());
    if (Qt::mightBeRichText(text)) {
        topicText->setHtml(text);
    } else {
        topicText->setPlainText(text);
    }
}

void TyardimF::ComboBox1Change(int index)
{
    // Typed text that names no topic loads nothing.
    if (index == 0) {
        loadTopic(kEntryTopicFile);
    } else if (index == 1) {
        loadTopic(kLedgerTopicFile);
    }
}

void TyardimF::showEntryTopic()
{
    show();
    raise();
    loadTopic(kEntryTopicFile);
}

void TyardimF::showLedgerTopic()
{
    show();
    raise();
    loadTopic(kLedgerTopicFile);
    statusPanels_[1]->setText(QStringLiteral("Norvane Yazılım"));
    statusPanels_[2]->setText(versionPanelText());
}

QString TyardimF::statusPanelText(int panel) const
{
    return statusPanels_.value(panel) != nullptr ? statusPanels_[panel]->text() : QString();
}

}  // namespace tamevo
