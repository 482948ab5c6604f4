#include "reportengine/ReportPreviewPort.h"

#include "data/Dialogs.h"

namespace tamevo::report {

namespace {

// Stands in while no port is installed.
class MessagePreview : public ReportPreviewPort {
public:
    void preview(const PreparedReport&) override
    {
        dialogs().message(kReportPreviewTitle, {}, Dialogs::Icon::None);
    }
};

ReportPreviewPort* installed = nullptr;

}  // namespace

ReportPreviewPort& previewPort()
{
    static MessagePreview fallback;
    return installed != nullptr ? *installed : fallback;
}

void installPreviewPort(ReportPreviewPort* port)
{
    installed = port;
}

}  // namespace tamevo::report
