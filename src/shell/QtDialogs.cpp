#include "shell/QtDialogs.h"

#include "reportengine/ReportPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
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

// The busy cursor from the start; after two seconds a progress dialog with the step, its
// bar (or a moving bar when the total is not known) and, when the command allows it,
// "İptal". Events are let through at each step, so the dialog paints and its button works.
class QtProgress final : public Progress {
public:
    QtProgress(const QString& title, bool cancellable) : title_(title), cancellable_(cancellable)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        clock_.start();
    }
    ~QtProgress() override
    {
        dialog_.reset();
        QApplication::restoreOverrideCursor();
    }

    void report(qint64 done, qint64 total, const QString& step) override
    {
        constexpr qint64 kShowAfterMs = 2000;
        if (!dialog_ && clock_.elapsed() >= kShowAfterMs) {
            dialog_ = std::make_unique<QProgressDialog>(QApplication::activeWindow());
            dialog_->setWindowTitle(title_);
            dialog_->setWindowModality(Qt::ApplicationModal);
            dialog_->setMinimumDuration(0);
            dialog_->setAutoClose(false);
            dialog_->setAutoReset(false);
            if (cancellable_) {
                dialog_->setCancelButtonText(QStringLiteral("İptal"));
            } else {
                dialog_->setCancelButton(nullptr);
            }
            dialog_->show();
        }
        if (dialog_) {
            // The bar counts in thousandths, so totals beyond an int fit.
            dialog_->setRange(0, total > 0 ? 1000 : 0);
            dialog_->setValue(total > 0 ? int(done * 1000 / total) : 0);
            dialog_->setLabelText(step);
        }
        QCoreApplication::processEvents();
    }

    bool wasCancelled() const override { return cancellable_ && dialog_ && dialog_->wasCanceled(); }

private:
    QString title_;
    bool cancellable_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace

std::unique_ptr<Progress> QtDialogs::startProgress(const QString& title, bool cancellable)
{
    return std::make_unique<QtProgress>(title, cancellable);
}

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
