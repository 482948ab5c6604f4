// Qt's own dialogs speak the user's language under Turkish settings, and a missing
// translation leaves them in English without stopping anything.
#include "shell/QtTranslation.h"

#include "support/TurkishLocale.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

namespace tamevo::test {

namespace {

QString labelOf(const QFileDialog& dialog, const char* name)
{
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text() : QString();
}

// Removes every translator the test installed.
struct RemoveTranslators {
    ~RemoveTranslators()
    {
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

}  // namespace

TEST(QtTranslation, MessageBoxesAndFileDialogsSpeakTurkish)
{
    TurkishLocale turkish;
    RemoveTranslators cleanup;
    ASSERT_TRUE(installQtTranslation(*qApp));

    QMessageBox box(QMessageBox::Information, QStringLiteral("Norvane Tamevo"), QStringLiteral("x"),
                    QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("Tamam"));

    QFileDialog dialog(nullptr, QStringLiteral("Yedek"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(labelOf(dialog, "lookInLabel"), QStringLiteral("Arama konumu:"));
    EXPECT_EQ(labelOf(dialog, "fileNameLabel"), QStringLiteral("Dosya a&dı:"));
    EXPECT_EQ(labelOf(dialog, "fileTypeLabel"), QStringLiteral("Dosyaların türü:"));
}

TEST(QtTranslation, AMissingTranslationKeepsQtsEnglish)
{
    TurkishLocale turkish;
    RemoveTranslators cleanup;
    QTemporaryDir empty;
    EXPECT_FALSE(installQtTranslation(*qApp, QLocale(), empty.path()));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Norvane Tamevo"), QStringLiteral("x"),
                    QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
}

}  // namespace tamevo::test
