#include "reportengine/ReportPreviewPort.h"

#include "data/Dialogs.h"

namespace tamevo::report {

namespace {

class MessagePreview : public ReportPreviewPort {
public:
    void preview(const PreparedReport&) override
    {
        dialogs().message(kReportPreviewTitle, {}, Dialogs::Icon::None);
    }
};

MessagePreview& fallback()
{
    static MessagePreview port;
    return port;
}

ReportPreviewPort*& installed()
{
    static ReportPreviewPort* current = &fallback();
    return current;
}

}  // namespace

ReportPreviewPort& previewPort()
{
    return *installed();
}

void installPreviewPort(ReportPreviewPort* port)
{
    installed() = port != nullptr ? port : &fallback();
}

}  // namespace tamevo::report
