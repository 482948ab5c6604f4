#pragma once

#include "data/Progress.h"

#include "reportengine/PreparedReport.h"
#include "reportengine/ReportData.h"
#include "reportengine/ReportTemplate.h"
#include "reportengine/TextMeasurer.h"

#include <QDateTime>
#include <QLocale>

#include <functional>

namespace tamevo::report {

struct PrepareOptions {
    QDateTime preparedAt;  // [DATE] and [TIME]; now when invalid
    QLocale locale;        // the system's conventions for the formats
    // Told of each page as it is laid out; a cancel stops the preparation.
    Progress* progress = nullptr;
};

// Prepares a template over its data: the pages of positioned items.
//
// Page composition: the report title prints once at the top of the first page, the page
// header under it and at the top of every following page, the page footer at the bottom of
// every page. Master data rows follow in the order of their data, each followed by its
// detail rows ([LINE#] counts from 1 again for each master row); several master bands print
// one after the other. A band that does not fit above the page footer starts a new page;
// the report summary prints once after the last row. A stretched band grows to its tallest
// stretched object, and its stretched objects grow with it; with word wrap a text breaks
// into as many lines as its width needs, without it each line is cut at the object's edge.
// Expressions are evaluated as their band prints; sums run over their band and are
// complete by the summary. A template that prints [TotalPages] is prepared in two passes:
// the first counts the pages, the second prints them with the count.
//
// Throws Error when an expression cannot be read or evaluated, or the data lacks a
// component, field or user link the template names.
PreparedReport prepareReport(const ReportTemplate& report, ReportData& data,
                             const TextMeasurer& measurer, const PrepareOptions& options = {});

// Prepares a report through `prepare` with the progress of its pages shown ("Rapor
// Hazırlanıyor", which the user can cancel), then shows it in the preview. Throws Error.
void previewPrepared(const std::function<PreparedReport(const PrepareOptions&)>& prepare);

}  // namespace tamevo::report
