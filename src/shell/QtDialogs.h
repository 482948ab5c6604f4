#pragma once

#include "data/Dialogs.h"
#include "reportengine/ReportPreviewPort.h"

namespace tamevo {

// The program's dialogs: Qt message boxes and file dialogs, the desktop's default programs,
// the report preview.
class QtDialogs : public Dialogs, public report::ReportPreviewPort {
public:
    void message(const QString& title, const QString& text, Icon icon) override;
    Answer question(const QString& title, const QString& text, Buttons buttons, Icon icon,
                    Answer defaultAnswer) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString existingFolder(const QString& title, const QString& folder) override;
    bool openWithDefaultProgram(const QString& pathOrUrl) override;
    void preview(const report::PreparedReport& report) override;
    std::unique_ptr<Progress> startProgress(const QString& title, bool cancellable) override;
};

}  // namespace tamevo
