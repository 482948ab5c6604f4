#pragma once

#include <QString>

namespace tamevo::report {

class PreparedReport;

// Every report preview of the program goes through this port. The program installs the
// preview window (its dialogs offer it); tests install a scripted one that records each
// preview and runs what the test queued for it.
class ReportPreviewPort {
public:
    virtual ~ReportPreviewPort() = default;

    // The modal report preview (kReportPreviewTitle) of a prepared report, from which the
    // user zooms, finds text, prints, saves it as PDF and opens a saved report; returns when
    // the user closes it.
    virtual void preview(const PreparedReport& report) = 0;
};

// The title of the report preview, whatever the report.
inline const QString kReportPreviewTitle = QStringLiteral("Norvane Rapor Önizleme");

// The preview port of the program; the one installed last. Until one is installed (and in
// command-line tools) a preview is a message with the preview's title, through the dialogs.
ReportPreviewPort& previewPort();
void installPreviewPort(ReportPreviewPort* port);

}  // namespace tamevo::report
