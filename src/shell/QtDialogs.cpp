#include "shell/QtDialogs.h"

#include "reportengine/ReportPreview.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace tamevo {

namespace {

// Messages keep their line breaks as line feed and carriage return; a message box shows
// each such pair as one line break.
QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return shown;
}

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
        case Dialogs::Icon::Information:
            return QMessageBox::Information;
        case Dialogs::Icon::Warning:
            return QMessageBox::Warning;
        case Dialogs::Icon::Error:
            return QMessageBox::Critical;
        case Dialogs::Icon::Question:
            return QMessageBox::Question;
        case Dialogs::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::message(const QString& title, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), title, displayText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

Dialogs::Answer QtDialogs::question(const QString& title, const QString& text, Buttons buttons,
                                    Icon icon, Answer defaultAnswer)
{
    QMessageBox::StandardButtons standard = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) {
        standard |= QMessageBox::Cancel;
    }
    QMessageBox box(boxIcon(icon), title, displayText(text), standard,
                    QApplication::activeWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Evet"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Hayır"));
    if (buttons == Buttons::YesNoCancel) {
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("İptal"));
    }
    box.setDefaultButton(defaultAnswer == Answer::No       ? QMessageBox::No
                         : defaultAnswer == Answer::Cancel ? QMessageBox::Cancel
                                                           : QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

QString QtDialogs::openFileName(const QString& title, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
}

QString QtDialogs::saveFileName(const QString& title, const QString& folder, const QString& filter,
                                const QString& defaultSuffix)
{
    QFileDialog dialog(QApplication::activeWindow(), title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The program asks its own overwrite questions where it needs them.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::existingFolder(const QString& title, const QString& folder)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, folder);
}

bool QtDialogs::openWithDefaultProgram(const QString& pathOrUrl)
{
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl)
                                                  : QUrl::fromUserInput(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

}  // namespace tamevo

namespace tamevo {

void QtDialogs::preview(const report::PreparedReport& report)
{
    report::ReportPreview dialog(report, QApplication::activeWindow());
    dialog.exec();
}

}  // namespace tamevo
